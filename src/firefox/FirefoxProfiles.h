#pragma once
// The current user's Firefox profiles, as profiles.ini lists them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "firefox/FirefoxDataFolder.h"

namespace velomar {

// The two preference files of a profile.
inline constexpr const char* kPrefsJs = "prefs.js";
inline constexpr const char* kUserJs = "user.js";

struct FirefoxProfile {
  std::int32_t sectionIndex = 0;  // position in profiles.ini, every section counted
  std::string sectionName;
  std::string name;           // the "Name" value, the one Firefox shows
  std::string pathValue;      // the "Path" value as read
  std::string directory;      // empty when the profile did not resolve
  bool takenAsGiven = false;  // the value was an absolute path
  bool Resolved() const { return !directory.empty(); }
};

struct FirefoxProfileList {
  std::int32_t sectionCount = 0;
  std::vector<FirefoxProfile> profiles;  // the sections with a non-empty "Path"
  std::string readError;                 // set when profiles.ini could not be read
};

// A file or folder inside a profile or data folder, joined with the
// platform's separator.
std::string FirefoxPath(const std::string& folder, const std::string& name);
std::string ProfilesIniPath(const std::string& dataFolder);
// True when the data folder is known and holds profiles.ini.
bool HasProfilesIni(const std::string& dataFolder);

FirefoxProfileList EnumerateFirefoxProfiles(const std::string& dataFolder);
// A section's folder as Firefox reads it: an absolute "Path" as given; a
// relative one under the data folder, unless "IsRelative" (isRelativeValue)
// says it is not relative, which Firefox does not use. Never relative to the
// current folder. Nothing when the folder does not exist.
struct ResolvedDirectory {
  std::string directory;
  bool takenAsGiven = false;
};
std::optional<ResolvedDirectory> ResolveProfileDirectory(const std::string& dataFolder, const std::string& pathValue,
                                                         const std::string& isRelativeValue);

// The profile as the user knows it: its name, else its folder.
std::string ProfileLabel(const FirefoxProfile& profile);

// Some profile has a prefs.js (Firefox has run with it).
bool IsFirefoxInstalled();
// Some profile folder exists: every section of profiles.ini is examined.
bool HasFirefoxProfileFolder();

}  // namespace velomar
