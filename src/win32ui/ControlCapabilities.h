#pragma once
// What some families of controls have besides what every control has
// (Control.h), one small interface per capability of window/Capabilities.h
// (and the timers' own). A family derives from the ones its kinds have; the
// form asks a control for a capability (Control::As) and refuses the call
// with NotSupported when it lacks it, so there is one such path.
#include <string>
#include <vector>

#include "window/Drawing.h"
#include "window/WindowState.h"

namespace velomar::ui {

// Check boxes and radio buttons.
class Checkable {
 public:
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;

 protected:
  ~Checkable() = default;
};

// Lists and page controls: the items (a page control's pages) and the
// selected one (-1: none).
class ItemChoice {
 public:
  virtual std::vector<std::string> Items() const = 0;
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;

 protected:
  ~ItemChoice() = default;
};

// Lists whose items the program sets.
class ItemEditing {
 public:
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual void AddItem(const std::string& item) = 0;

 protected:
  ~ItemEditing() = default;
};

// Track bars and progress bars.
class RangeValue {
 public:
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;

 protected:
  ~RangeValue() = default;
};

// List views: rows of a name and two values, under column headers.
class RowList {
 public:
  virtual void AppendRow(const LogRow& row) = 0;
  virtual int RowCount() const = 0;
  virtual std::vector<LogRow> Rows() const = 0;
  virtual void ClearRows() = 0;
  virtual void ScrollBy(int pixels) = 0;
  virtual std::vector<std::string> Columns() const = 0;
  virtual void SetColumnText(int index, const std::string& text) = 0;
  virtual void SetRowCaption(int index, const std::string& text) = 0;

 protected:
  ~RowList() = default;
};

// Images: a named picture, maybe animated, or a drawing of the caller's.
class PictureFrame {
 public:
  virtual void SetPicture(const std::string& picture) = 0;
  // speedPercent: 100 the stored pace, 1000 ten times as fast (the most);
  // 0 holds the current frame.
  virtual void SetAnimation(bool playing, int speedPercent) = 0;
  // The pace of a running animation in milliseconds; 0 when still.
  virtual int AnimationInterval() const = 0;
  virtual void SetDrawing(const Drawing& drawing) = 0;

 protected:
  ~PictureFrame() = default;
};

// Edit boxes and memos.
class EditableText {
 public:
  virtual bool ReadOnly() const = 0;
  virtual void SetReadOnly(bool readOnly) = 0;

 protected:
  ~EditableText() = default;
};

// Timers: the tick of the form's timer of the component.
class Ticking {
 public:
  virtual void Tick() = 0;

 protected:
  ~Ticking() = default;
};

}  // namespace velomar::ui
