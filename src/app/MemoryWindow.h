#pragma once
// An in-memory window: every control is created on first use with neutral
// defaults (empty, enabled, visible, unchecked, position 0, no item). Every
// change is recorded in order, so tests and velomar-cli --trace can replay
// what a pass did to the window.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/WindowState.h"

namespace velomar {

struct WindowEvent {
  enum class Kind {
    Text,
    Enabled,
    Visible,
    ReadOnly,
    Bold,
    Checked,
    Items,
    ItemIndex,
    Position,
    Row,
    ClearRows,
    Scroll,
    Pause
  };
  Kind kind;
  std::string control;
  std::string value;  // the new text, "1"/"0", the number, or the row "name\told\tnew"
};

class MemoryWindow : public WindowState {
 public:
  using Handler = std::function<void()>;

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;
  bool Enabled(std::string_view name) const override;
  void SetEnabled(std::string_view name, bool enabled) override;
  bool Visible(std::string_view name) const override;
  void SetVisible(std::string_view name, bool visible) override;
  bool ReadOnly(std::string_view name) const override;
  void SetReadOnly(std::string_view name, bool readOnly) override;
  bool Bold(std::string_view name) const override;
  void SetBold(std::string_view name, bool bold) override;
  bool Checked(std::string_view name) const override;
  void SetChecked(std::string_view name, bool checked) override;
  std::vector<std::string> Items(std::string_view name) const override;
  void SetItems(std::string_view name, const std::vector<std::string>& items) override;
  void AddItem(std::string_view name, std::string_view item) override;
  int ItemIndex(std::string_view name) const override;
  void SetItemIndex(std::string_view name, int index) override;
  int Position(std::string_view name) const override;
  void SetPosition(std::string_view name, int position) override;
  void AppendRow(std::string_view name, const LogRow& row) override;
  int RowCount(std::string_view name) const override;
  std::vector<LogRow> Rows(std::string_view name) const override;
  void ClearRows(std::string_view name) override;
  void ScrollBy(std::string_view name, int pixels) override;
  void PauseForDisplay() override;
  std::vector<ComponentInfo> Components() const override;
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  std::string Hint(std::string_view name) const override;
  void SetHint(std::string_view name, std::string_view hint) override;
  std::vector<std::string> Columns(std::string_view name) const override;
  void SetColumnText(std::string_view name, int index, std::string_view text) override;
  void SetRowCaption(std::string_view name, int index, std::string_view text) override;

  // Lists a component of the window layout (in layout order), so that
  // Components() names it with its kind and tag.
  void DeclareComponent(std::string_view name, ComponentKind kind, int tag = 0);
  // A list view's column headers as designed.
  void DesignColumns(std::string_view name, const std::vector<std::string>& columns);

  // A track bar's or progress bar's range; positions are kept inside it.
  void SetRange(std::string_view name, int minimum, int maximum);
  // Design-time state, set without recording an event or running a handler.
  void Design(std::string_view name, std::string_view text);
  void DesignChecked(std::string_view name, bool checked);

  // Handlers: a check box's click (on a change of its state) and a track
  // bar's change (on a change of its position).
  void OnClick(std::string_view name, Handler handler);
  void OnChange(std::string_view name, Handler handler);
  // Runs during each PauseForDisplay, standing in for the timer tick and
  // whatever messages arrive meanwhile.
  void OnPause(Handler handler);

  bool Exists(std::string_view name) const;
  // The controls touched so far, by name.
  std::vector<std::string> ControlNames() const;
  const std::vector<WindowEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  int PauseCount() const { return pauses_; }
  int ScrolledPixels(std::string_view name) const;

 private:
  struct Control {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;
    bool bold = false;
    bool checked = false;
    std::vector<std::string> items;
    int itemIndex = -1;
    int position = 0;
    bool hasRange = false;
    int minimum = 0;
    int maximum = 0;
    std::vector<LogRow> rows;
    int scrolled = 0;
    std::string hint;
    std::vector<std::string> columns;
    Handler click;
    Handler change;
  };
  Control& At(std::string_view name);
  const Control* Find(std::string_view name) const;
  void Record(WindowEvent::Kind kind, std::string_view control, std::string value);

  std::map<std::string, Control, std::less<>> controls_;
  std::vector<WindowEvent> events_;
  Handler pause_;
  int pauses_ = 0;
  std::string caption_;
  std::vector<ComponentInfo> components_;
};

}  // namespace velomar
