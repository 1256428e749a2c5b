#include "win32ui/Buttons.h"

namespace velomar::ui {

Control::WindowSpec PushButton::Describe() const {
  return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, spec_.x, spec_.y, spec_.width, spec_.height};
}

bool PushButton::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
  Fire(Event::Click);
  result = 0;
  return true;
}

Control::WindowSpec CheckBox::Describe() const {
  return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, spec_.x, spec_.y, spec_.width, spec_.height};
}

void CheckBox::Created() { SetCheck(spec_.checked); }

bool CheckBox::Checked() const { return hwnd_ ? SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED : spec_.checked; }

void CheckBox::SetCheck(bool checked) {
  spec_.checked = checked;
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SetChecked(bool checked) {
  const bool was = Checked();
  SetCheck(checked);
  if (hwnd_ && checked != was) Fire(Event::Click);
}

bool CheckBox::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      Clicked();
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: result = Colours(wParam); return true;
    default: return false;
  }
}

Control::WindowSpec RadioButton::Describe() const {
  return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, spec_.x, spec_.y, spec_.width, spec_.height};
}

void RadioButton::CheckAlone() {
  for (const auto& other : host_.Controls()) {
    if (other.get() == this || other->Parent() != Parent() || other->Kind() != ComponentKind::RadioButton) continue;
    static_cast<RadioButton&>(*other).SetCheck(false);
  }
  SetCheck(true);
}

void RadioButton::SetChecked(bool checked) {
  const bool was = Checked();
  if (checked)
    CheckAlone();
  else
    SetCheck(false);
  if (hwnd_ && checked && !was) Fire(Event::Click);
}

void RadioButton::Clicked() {
  CheckAlone();
  Fire(Event::Click);
}

}  // namespace velomar::ui
