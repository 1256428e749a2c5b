// Whether Firefox runs with a profile, on Windows: while it runs, Firefox
// keeps "parent.lock" in the profile open without sharing. The file stays
// when Firefox ends, but the handle goes with its process, so a file left
// behind opens again.
#include <windows.h>

#include "firefox/ProfileLock.h"

#include "firefox/FirefoxProfiles.h"
#include "platform/win32/Win32Text.h"

namespace velomar {

bool FirefoxRunsWithProfile(const std::string& directory) {
  const std::string path = FirefoxPath(directory, "parent.lock");
  HANDLE file = CreateFileW(platform::Utf8ToWide(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace velomar
