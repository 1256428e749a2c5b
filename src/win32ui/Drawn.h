#pragma once
// The kinds the framework draws itself in windows of its own class
// ("VelomarPart"): labels, panels and group boxes here, images in
// Image.h, tab sheets in Pages.h. They take clicks and hover like any
// control; a transparent one paints what lies beneath it first.
#include "win32ui/Control.h"

namespace velomar::ui {

class DrawnControl : public Control {
 public:
  using Control::Control;
  // Paints the control with its client area at the origin of `dc`.
  void PaintInto(HDC dc);
  // Panels, group boxes and tab sheets hold other components.
  virtual bool IsContainer() const { return false; }

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void TextChanged() override { Invalidate(); }
  // The face over the background: text, picture or frame.
  virtual void PaintFace(HDC /*dc*/, const RECT& /*client*/) {}
  // True when the face covers the whole client area (no background needed).
  virtual bool FaceIsOpaque() const { return false; }

 private:
  void PaintBeneath(HDC dc);
  bool pressed_ = false;
};

class Label : public DrawnControl {
 public:
  using DrawnControl::DrawnControl;

 protected:
  // A label sizes itself to its text: a word-wrapped one keeps its width and
  // takes the height of its lines.
  WindowSpec Describe() const override;
  void TextChanged() override;
  void FontChanged() override;
  void PaintFace(HDC dc, const RECT& client) override;

 private:
  // The fitted size, or nothing when the label keeps its designed size.
  bool Fit(const std::string& text, SIZE& size) const;
  void Refit();
};

class Panel : public DrawnControl {
 public:
  using DrawnControl::DrawnControl;
  bool IsContainer() const override { return true; }
};

class GroupBox : public DrawnControl {
 public:
  using DrawnControl::DrawnControl;
  bool IsContainer() const override { return true; }

 protected:
  void PaintFace(HDC dc, const RECT& client) override;
};

}  // namespace velomar::ui
