#include <windows.h>

#include "platform/Registry.h"
#include "platform/System.h"

namespace velomar::platform {

std::string ApplicationDataFolder() {
  auto key = SystemRegistry().Open(RegRoot::CurrentUser, kShellFoldersKey, false);
  if (!key) return {};
  auto value = key->Query("AppData");
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz) || value->data.empty()) return {};
  std::string folder = value->data;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

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

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
  const int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                                   static_cast<int>(b.size()));
  if (order == 0) return a.compare(b);  // the locale could not compare them
  return order - CSTR_EQUAL;
}

}  // namespace velomar::platform
