#pragma once
// The one window procedure of the framework. The form and the windows of
// the framework's own class are bound to their object at WM_NCCREATE (the
// object comes as the creation parameter); windows of system classes are
// bound right after creation, through a subclass of the common controls
// (SetWindowSubclass, comctl32 5.8 and later, which Windows XP has), so
// that other subclassers (tooltips) chain with it. A window stays bound
// until Unbind. A notification a control sends its parent (WM_COMMAND,
// WM_NOTIFY, scrolls, colours) goes back to the object of the control it
// concerns before the parent sees it.
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

// Routes a window of a system class to `target`; what the target leaves
// alone it passes on with CallSystemProcedure.
void BindSystemWindow(HWND window, MessageTarget* target);
// The class's own handling of a message of a window bound by BindSystemWindow.
LRESULT CallSystemProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Ends the routing of a window (it is being destroyed); a system window's
// subclass is removed.
void Unbind(HWND window);
// The target of a window the thunk serves; nullptr for any other window.
MessageTarget* TargetOf(HWND window);

}  // namespace velomar::ui
