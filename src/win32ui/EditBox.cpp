#include "win32ui/EditBox.h"

namespace velomar::ui {

Control::WindowSpec EditBox::Describe() const {
  DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (ReadOnly() ? ES_READONLY : 0);
  // Right-to-left reading alone does not move the text in a left-to-right
  // system; a right-to-left field stands at the right as the user expects.
  if (spec_.rightToLeft) style |= ES_RIGHT;
  return {L"EDIT", style, WS_EX_CLIENTEDGE, spec_.x, spec_.y, spec_.width, spec_.height ? spec_.height : 21};
}

void EditBox::Created() {
  if (spec_.maxLength > 0) SendMessageW(hwnd_, EM_LIMITTEXT, spec_.maxLength, 0);
}

void EditBox::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, readOnly, 0);
}

bool EditBox::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return false;
  Fire(Event::Change);
  result = 0;
  return true;
}

}  // namespace velomar::ui
