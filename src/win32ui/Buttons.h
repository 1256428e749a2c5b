#pragma once
// Push buttons, check boxes and radio buttons. Radio buttons form one group
// per parent, kept by the framework rather than by WS_GROUP runs.
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class PushButton : public Control {
 public:
  using Control::Control;
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  WindowSpec Describe() const override;
};

class CheckBox : public Control, public Checkable {
 public:
  using Control::Control;
  bool Checked() const override;
  // A program change clicks as on a real window: on any change.
  void SetChecked(bool checked) override;
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;
  void SetCheck(bool checked);
  virtual void Clicked() { Fire(Event::Click); }
};

class RadioButton : public CheckBox {
 public:
  using CheckBox::CheckBox;
  // Clicks only when the button becomes the checked one of its group.
  void SetChecked(bool checked) override;

 protected:
  WindowSpec Describe() const override;
  void Clicked() override;

 private:
  // Checks this button and unchecks the others of its parent.
  void CheckAlone();
};

}  // namespace velomar::ui
