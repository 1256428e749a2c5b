#include "win32ui/Thunk.h"

namespace velomar::ui {

namespace {

MessageTarget* Bound(HWND window) { return reinterpret_cast<MessageTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// The control a parent's notification concerns.
HWND NotifyingControl(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    default: return nullptr;
  }
}

}  // namespace

LRESULT CALLBACK WindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* target = static_cast<MessageTarget*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
  }
  MessageTarget* target = Bound(window);
  if (!target) return DefWindowProcA(window, message, wParam, lParam);
  if (HWND control = NotifyingControl(message, lParam)) {
    if (MessageTarget* concerned = TargetOf(control)) {
      LRESULT result = 0;
      if (concerned->Reflected(message, wParam, lParam, result)) return result;
    }
  }
  return target->Message(window, message, wParam, lParam);
}

WNDPROC BindSystemWindow(HWND window, MessageTarget* target) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowThunk)));
}

void Unbind(HWND window) { SetWindowLongPtrA(window, GWLP_USERDATA, 0); }

MessageTarget* TargetOf(HWND window) {
  if (!window || GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowThunk)) return nullptr;
  return Bound(window);
}

}  // namespace velomar::ui
