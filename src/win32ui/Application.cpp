#include "win32ui/Application.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <stdexcept>
#include <utility>

#include "platform/win32/Win32EntryPoint.h"
#include "platform/win32/Win32Text.h"

namespace velomar::ui {

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

using SaveDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

// comdlg32 is loaded when the dialog is first asked for, not with the
// program: it brings shell32 and the printing DLLs with it, which made a
// large share of the time before the main window's first paint.
SaveDialogFunction SaveDialog() {
  static const SaveDialogFunction dialog = [] {
    const HMODULE module = LoadLibraryW(L"comdlg32.dll");
    return module ? platform::EntryPoint<SaveDialogFunction>(module, "GetSaveFileNameW") : nullptr;
  }();
  if (!dialog) throw std::runtime_error("The Save As dialog of Windows (comdlg32.dll) cannot be loaded.");
  return dialog;
}
}  // namespace

void InitializeControls() {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&init);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) { return std::exchange(Hook(), std::move(hook)); }

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT style) {
  if (Hook()) {
    MessageBoxHook hook = Hook();  // the hook may replace itself
    return hook({owner, text, title, style});
  }
  return MessageBoxW(owner, platform::Utf8ToWide(text).c_str(), platform::Utf8ToWide(title).c_str(), style);
}

void ReportError(HWND owner, const std::string& what, const std::string& title) {
  ShowMessageBox(owner, what.empty() ? "Unknown error" : what, title, MB_OK | MB_ICONERROR);
}

void OpenDocument(HWND owner, const std::string& target) {
  ShellExecuteW(owner, nullptr, platform::Utf8ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string ProgramFolder() {
  std::wstring module(32768, L'\0');  // the longest path Windows has
  module.resize(GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
  const std::string folder = platform::WideToUtf8(module);
  const auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

namespace {
std::string& HelpPage() {
  static std::string page;
  return page;
}
}  // namespace

void SetHelpPage(std::string path) { HelpPage() = std::move(path); }

void OpenHelpPage(HWND owner) {
  if (!HelpPage().empty()) OpenDocument(owner, HelpPage());
}

std::optional<std::string> AskSaveFileName(HWND owner, const SaveFileQuestion& question) {
  // The filter: name, NUL, pattern, NUL, and a NUL to end the list.
  std::wstring filter = platform::Utf8ToWide(question.filterName + " (" + question.pattern + ")");
  filter.append(1, L'\0').append(platform::Utf8ToWide(question.pattern)).append(2, L'\0');
  const std::wstring title = platform::Utf8ToWide(question.title);
  const std::wstring folder = platform::Utf8ToWide(question.folder);
  const std::wstring extension = platform::Utf8ToWide(question.pattern.substr(question.pattern.find('.') + 1));
  std::wstring file = platform::Utf8ToWide(question.fileName);
  file.resize(32768, L'\0');  // the longest path Windows has
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!SaveDialog()(&dialog)) return std::nullopt;
  file.resize(file.find(L'\0'));
  return platform::WideToUtf8(file);
}

}  // namespace velomar::ui
