// Reading the version of the Firefox that last ran a profile.
#include "firefox/FirefoxVersion.h"

#include "firefox/FirefoxProfiles.h"
#include "util/IniFile.h"

namespace velomar {

std::optional<int> FirefoxMajorVersion(std::string_view version) {
  // No Firefox comes near the upper bound; it keeps a damaged file from
  // overflowing the number.
  constexpr int kLargest = 9999;
  int major = 0;
  std::size_t digits = 0;
  for (; digits < version.size() && version[digits] >= '0' && version[digits] <= '9'; ++digits) {
    major = major * 10 + (version[digits] - '0');
    if (major > kLargest) return std::nullopt;
  }
  // "153", "153.8.0_...", "52.0b1"; not "1x" or "_2026".
  if (digits == 0 || major == 0) return std::nullopt;
  if (digits < version.size() && version[digits] != '.' && version[digits] != '_') return std::nullopt;
  return major;
}

std::optional<int> LastFirefoxVersion(const std::string& profileDirectory) {
  IniFile ini;
  std::string error;
  if (!IniFile::Load(FirefoxPath(profileDirectory, kCompatibilityIni), ini, error, IniFile::Encoding::Utf8))
    return std::nullopt;
  return FirefoxMajorVersion(ini.ReadString("Compatibility", "LastVersion"));
}

}  // namespace velomar
