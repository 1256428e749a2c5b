#include "win32ui/Thunk.h"

#include <mutex>
#include <unordered_map>

namespace velomar::ui {

namespace {

// The windows the thunk serves. Kept here rather than in the windows
// themselves: a tooltip or other subclasser may put its own procedure in
// front of the thunk, and the window must still be known as ours.
struct Targets {
  std::mutex mutex;
  std::unordered_map<HWND, MessageTarget*> byWindow;
};

Targets& AllTargets() {
  static Targets targets;
  return targets;
}

void Bind(HWND window, MessageTarget* target) {
  Targets& targets = AllTargets();
  std::lock_guard<std::mutex> lock(targets.mutex);
  targets.byWindow[window] = target;
}

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
    if (auto* target = static_cast<MessageTarget*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams))
      Bind(window, target);
  }
  MessageTarget* target = TargetOf(window);
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
  Bind(window, target);
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowThunk)));
}

void Unbind(HWND window) {
  Targets& targets = AllTargets();
  std::lock_guard<std::mutex> lock(targets.mutex);
  targets.byWindow.erase(window);
}

MessageTarget* TargetOf(HWND window) {
  if (!window) return nullptr;
  Targets& targets = AllTargets();
  std::lock_guard<std::mutex> lock(targets.mutex);
  auto it = targets.byWindow.find(window);
  return it == targets.byWindow.end() ? nullptr : it->second;
}

}  // namespace velomar::ui
