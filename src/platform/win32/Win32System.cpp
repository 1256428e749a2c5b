#include <windows.h>

#include <shellapi.h>

#include "platform/Registry.h"
#include "platform/System.h"
#include "platform/win32/Win32Text.h"

namespace velomar::platform {

namespace {

// A folder of the user's shell folders, with a trailing backslash; empty
// when the value is missing.
std::string ShellFolder(const char* name) {
  auto key = SystemRegistry().Open(RegRoot::CurrentUser, kShellFoldersKey, false);
  if (!key) return {};
  auto value = key->Query(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz) || value->data.empty()) return {};
  std::string folder = value->data;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

std::string ApplicationDataFolder() { return ShellFolder("AppData"); }

std::string DocumentsFolder() { return ShellFolder("Personal"); }

PhysicalMemory QuerySystemPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  SetLastError(0);
  if (!GlobalMemoryStatusEx(&status)) return {std::nullopt, GetLastError()};
  return {status.ullTotalPhys, 0};
}

int WindowsMajorVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;  // 148 bytes: the plain record, not the EX one
  if (!GetVersionExA(&version)) return 0;
  return static_cast<int>(version.dwMajorVersion);
}

std::string FirefoxDataFolderCandidate() { return {}; }

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!words) return {};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(WideToUtf8(words[i]));
  LocalFree(words);
  return arguments;
}

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
  const std::wstring wideA = Utf8ToWide(a), wideB = Utf8ToWide(b);
  const int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                                   wideB.data(), static_cast<int>(wideB.size()));
  if (order == 0) return a.compare(b);  // the locale could not compare them
  return order - CSTR_EQUAL;
}

}  // namespace velomar::platform
