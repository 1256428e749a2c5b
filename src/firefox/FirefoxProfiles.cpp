// Finding the current user's Firefox profiles through profiles.ini.
#include "firefox/FirefoxProfiles.h"

#include "platform/Files.h"
#include "platform/System.h"
#include "util/IniFile.h"

namespace velomar {

namespace {

IniFile ReadProfilesIni(const std::string& dataFolder, std::string& error) {
  IniFile ini;
  if (!IniFile::Load(ProfilesIniPath(dataFolder), ini, error, IniFile::Encoding::Utf8)) return IniFile::Parse("");
  return ini;
}

}  // namespace

std::string ProfileLabel(const FirefoxProfile& profile) {
  return profile.name.empty() ? profile.directory : profile.name;
}

std::string FirefoxPath(const std::string& folder, const std::string& name) {
  return folder + platform::PathSeparator() + name;
}

std::string ProfilesIniPath(const std::string& dataFolder) { return FirefoxPath(dataFolder, "profiles.ini"); }

bool HasProfilesIni(const std::string& dataFolder) {
  return !dataFolder.empty() && platform::FileExists(ProfilesIniPath(dataFolder));
}

std::optional<ResolvedDirectory> ResolveProfileDirectory(const std::string& dataFolder, const std::string& pathValue,
                                                         const std::string& isRelativeValue) {
  std::optional<ResolvedDirectory> resolved;
  if (platform::IsAbsolutePath(pathValue)) {
    resolved = ResolvedDirectory{pathValue, true};
  } else if (platform::IsRelativePath(pathValue) && (isRelativeValue.empty() || isRelativeValue == "1")) {
    // Firefox itself reads any other value as "absolute", and a relative path
    // as such names no folder for it.
    resolved = ResolvedDirectory{FirefoxPath(dataFolder, pathValue), false};
  }
  if (resolved && !platform::DirectoryExists(resolved->directory)) resolved.reset();
  return resolved;
}

FirefoxProfileList EnumerateFirefoxProfiles(const std::string& dataFolder) {
  FirefoxProfileList list;
  const IniFile ini = ReadProfilesIni(dataFolder, list.readError);
  const auto sections = ini.SectionNames();
  list.sectionCount = static_cast<std::int32_t>(sections.size());
  for (std::size_t i = 0; i < sections.size(); ++i) {
    FirefoxProfile profile;
    profile.sectionIndex = static_cast<std::int32_t>(i);
    profile.sectionName = sections[i];
    profile.pathValue = ini.ReadString(sections[i], "Path");
    if (profile.pathValue.empty()) continue;
    profile.name = ini.ReadString(sections[i], "Name");
    if (auto resolved =
            ResolveProfileDirectory(dataFolder, profile.pathValue, ini.ReadString(sections[i], "IsRelative"))) {
      profile.directory = resolved->directory;
      profile.takenAsGiven = resolved->takenAsGiven;
    }
    list.profiles.push_back(std::move(profile));
  }
  return list;
}

bool IsFirefoxInstalled() {
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return false;
  for (const auto& profile : EnumerateFirefoxProfiles(dataFolder).profiles)
    if (profile.Resolved() && platform::FileExists(FirefoxPath(profile.directory, kPrefsJs))) return true;
  return false;
}

bool HasFirefoxProfileFolder() {
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return false;
  // Every section, the first too: Firefox writes its profile sections
  // before [General].
  for (const auto& profile : EnumerateFirefoxProfiles(dataFolder).profiles)
    if (profile.Resolved()) return true;
  return false;
}

}  // namespace velomar
