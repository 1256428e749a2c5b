#pragma once
// Where the current user's Firefox keeps profiles.ini (FirefoxDataFolder_win
// and FirefoxDataFolder_posix).
#include <string>

namespace velomar {

// The user's application-data folder followed by "\Mozilla\Firefox" (on
// Windows from the registry; elsewhere the platform's Firefox folder); empty
// when unknown.
std::string FindFirefoxDataFolder();

}  // namespace velomar
