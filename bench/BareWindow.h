#pragma once
// The yardstick of the start-up benchmarks: a plain Win32 window with one
// push button, made without the framework.
#include <windows.h>

namespace velomar::bench {

// Registers `className` (once per process) with `procedure` and makes the
// window with its button; the window is not shown yet.
inline HWND MakeBareWindow(const char* className, WNDPROC procedure, const char* caption, SIZE size, RECT button) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, className, caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                                size.cy, nullptr, nullptr, instance, nullptr);
  CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, button.left, button.top,
                  button.right - button.left, button.bottom - button.top, window, nullptr, instance, nullptr);
  return window;
}

}  // namespace velomar::bench
