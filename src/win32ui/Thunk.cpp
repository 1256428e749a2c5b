#include "win32ui/Thunk.h"

#include <commctrl.h>

#include <mutex>
#include <unordered_map>

namespace velomar::ui {

namespace {

// The windows the thunk serves, with whether each is a subclassed system
// window. Kept here rather than in the windows themselves, so that a
// notification's control is found as ours whoever else subclasses it.
struct Binding {
  MessageTarget* target = nullptr;
  bool subclassed = false;
};
struct Targets {
  std::mutex mutex;
  std::unordered_map<HWND, Binding> byWindow;
};

constexpr UINT_PTR kSubclassId = 1;

Targets& AllTargets() {
  static Targets targets;
  return targets;
}

void Bind(HWND window, MessageTarget* target, bool subclassed) {
  Targets& targets = AllTargets();
  std::lock_guard<std::mutex> lock(targets.mutex);
  targets.byWindow[window] = {target, subclassed};
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

// A message of a bound window: a notification first to the control it
// concerns, then to the window's target.
LRESULT Dispatch(MessageTarget& target, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND control = NotifyingControl(message, lParam)) {
    if (MessageTarget* concerned = TargetOf(control)) {
      LRESULT result = 0;
      if (concerned->Reflected(message, wParam, lParam, result)) return result;
    }
  }
  return target.Message(window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  MessageTarget* target = TargetOf(window);
  if (!target) return DefSubclassProc(window, message, wParam, lParam);
  return Dispatch(*target, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK WindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    if (auto* target = static_cast<MessageTarget*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams))
      Bind(window, target, false);
  }
  MessageTarget* target = TargetOf(window);
  if (!target) return DefWindowProcW(window, message, wParam, lParam);
  return Dispatch(*target, window, message, wParam, lParam);
}

void BindSystemWindow(HWND window, MessageTarget* target) {
  Bind(window, target, true);
  SetWindowSubclass(window, SubclassThunk, kSubclassId, 0);
}

LRESULT CallSystemProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window, message, wParam, lParam);
}

void Unbind(HWND window) {
  bool subclassed = false;
  {
    Targets& targets = AllTargets();
    std::lock_guard<std::mutex> lock(targets.mutex);
    auto it = targets.byWindow.find(window);
    if (it == targets.byWindow.end()) return;
    subclassed = it->second.subclassed;
    targets.byWindow.erase(it);
  }
  if (subclassed) RemoveWindowSubclass(window, SubclassThunk, kSubclassId);
}

MessageTarget* TargetOf(HWND window) {
  if (!window) return nullptr;
  Targets& targets = AllTargets();
  std::lock_guard<std::mutex> lock(targets.mutex);
  auto it = targets.byWindow.find(window);
  return it == targets.byWindow.end() ? nullptr : it->second.target;
}

}  // namespace velomar::ui
