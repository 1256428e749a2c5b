#pragma once
// Drives real windows the way a user does, through window messages, and
// lets their message loop run until something holds (bounded). Message
// boxes are recorded and answered instead of being shown.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win32ui/Application.h"
#include "win32ui/Look.h"

namespace velomar::uitest {

// The look of the framework's test windows: titled "Velomar", in Tahoma,
// with plain pictures "Program" (a disc), "RecoverLink" (a bar) and "Busy"
// (eight frames, a dot going round).
const ui::Look& TestLook();

// Handles messages until `done` holds or the time is up; false on time-out.
bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
// Handles what is queued now and what it causes, for a short while.
void Settle(std::chrono::milliseconds period = std::chrono::milliseconds(50));

// A push button, check box or radio button: BM_CLICK, as a mouse click.
void ClickButton(HWND control);
// A label or image: button down and up inside it.
void ClickAt(HWND control, int x = 2, int y = 2);
// The mouse comes into / leaves a control.
void MouseEnter(HWND control);
void MouseLeave(HWND control);
// Typed characters into an edit box that has the focus.
void Type(HWND edit, const std::string& text);
// Arrow keys on a track bar with the focus (one step each).
void PressKey(HWND control, UINT virtualKey, int times = 1);
// A drop-down list's choice as the user makes it (selection + notification).
void ChooseItem(HWND combo, int index);

// The control under a point of a window's client area (the one on top).
HWND ControlAt(HWND window, int clientX, int clientY);

// Records every message box and answers it with IDOK.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  const std::vector<ui::MessageBoxRequest>& Boxes() const { return boxes_; }
  std::function<void()> onBox;  // runs inside the "modal" box, for tests

 private:
  std::vector<ui::MessageBoxRequest> boxes_;
};

// Lets the thread's message boxes show for real while it lives (the hook
// it finds, a MessageBoxRecorder's say, is put back after): each is saved
// as a screenshot (NAME, then NAME_2, ...), its text kept, and answered
// with OK.
class RealMessageBoxes {
 public:
  explicit RealMessageBoxes(std::string name);
  ~RealMessageBoxes();
  RealMessageBoxes(const RealMessageBoxes&) = delete;
  RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;
  const std::vector<std::string>& Texts() const { return texts_; }
  const std::vector<std::string>& ScreenshotErrors() const { return errors_; }

 private:
  static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD);
  std::string name_;
  ui::MessageBoxHook replacedHook_;
  UINT_PTR timer_ = 0;
  bool looking_ = false;
  std::vector<std::string> texts_;
  std::vector<std::string> errors_;
};

// While it lives, the thread's Save As dialog is saved as a screenshot
// (NAME) when it shows, and answered: with `path` as the file name and
// Save, or with Cancel when `path` is empty.
class SaveDialogAnswer {
 public:
  SaveDialogAnswer(std::string name, std::string path);
  ~SaveDialogAnswer();
  SaveDialogAnswer(const SaveDialogAnswer&) = delete;
  SaveDialogAnswer& operator=(const SaveDialogAnswer&) = delete;
  bool Answered() const { return answered_; }
  const std::string& ScreenshotError() const { return error_; }

 private:
  static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD);
  std::string name_;
  std::string path_;
  UINT_PTR timer_ = 0;
  bool answered_ = false;
  std::string error_;
};

// Saves what the screen shows of a window as a PNG in the screenshot folder
// of the build (build/screenshots/NAME.png). False with a message.
bool SaveScreenshot(HWND window, const std::string& name, std::string& error);
std::string ScreenshotFolder();

// Imports a REGEDIT4 file of tests/data (a path relative to it) into the
// prefix's registry with regedit /S, as an administrator would; false when
// regedit did not run or failed.
bool ImportRegistry(const std::string& relative);

}  // namespace velomar::uitest
