#pragma once
// What every window shares: the common controls, message boxes (observable
// by tests through a hook), the general error report, web and help pages.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "window/WindowState.h"

namespace velomar::ui {

// Registers the common control classes the windows use; safe to repeat.
void InitializeControls();

// A message box request as the harness sees it.
struct MessageBoxRequest {
  HWND owner;
  std::string text;
  std::string title;
  UINT style;
};
// With a hook installed, message boxes are handed to it instead of being
// shown; its answer is the box's result (IDOK, ...). Empty: shown for real.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
// Answers the hook it replaces.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT style);
// The general error report for an exception that escaped a handler.
void ReportError(HWND owner, const std::string& what, const std::string& title);

// Opens a document or web address with its default program.
void OpenDocument(HWND owner, const std::string& target);
// The folder of the executable, with a trailing separator.
std::string ProgramFolder();
// The user guide the help links open: the program names it (in the user's
// language); until it does, nothing opens.
void SetHelpPage(std::string path);
void OpenHelpPage(HWND owner);
// The standard Save As dialog (GetSaveFileNameW), modal to `owner`.
std::optional<std::string> AskSaveFileName(HWND owner, const SaveFileQuestion& question);

}  // namespace velomar::ui
