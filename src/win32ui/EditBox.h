#pragma once
// Edit boxes (one line) and memos (several lines).
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class EditBox : public Control, public EditableText {
 public:
  using Control::Control;
  bool ReadOnly() const override { return readOnly_; }
  void SetReadOnly(bool readOnly) override;
  // Every change of the text, typed or set, runs the change handler.
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;

 private:
  bool readOnly_ = spec_.readOnly;
};

}  // namespace velomar::ui
