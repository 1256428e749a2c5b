#pragma once
// The one window procedure of the framework. The form and the windows of
// the framework's own class are bound to their object at WM_NCCREATE (the
// object comes as the creation parameter); windows of system classes are
// bound right after creation. A window stays bound until Unbind, whatever
// procedures others put in front of the thunk. A notification a control sends its parent
// (WM_COMMAND, WM_NOTIFY, scrolls, colours) goes back to the object of the
// control it concerns before the parent sees it.
#include <windows.h>

namespace velomar::ui {

class MessageTarget {
 public:
  virtual LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // A notification about this target's window that arrived at its parent;
  // true when handled, with the parent's answer in `result`.
  virtual bool Reflected(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) { return false; }

 protected:
  ~MessageTarget() = default;
};

LRESULT CALLBACK WindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Routes a window of a system class to `target`; returns the class's own
// procedure, which the target calls for what it leaves alone.
WNDPROC BindSystemWindow(HWND window, MessageTarget* target);
// Ends the routing of a window (it is being destroyed).
void Unbind(HWND window);
// The target of a window the thunk serves; nullptr for any other window.
MessageTarget* TargetOf(HWND window);

}  // namespace velomar::ui
