#pragma once
// Edit boxes (one line) and memos (several lines).
#include "win32ui/Control.h"

namespace velomar::ui {

class EditBox : public Control {
 public:
  using Control::Control;
  void SetReadOnly(bool readOnly) override;
  // Every change of the text, typed or set, runs the change handler.
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;
};

}  // namespace velomar::ui
