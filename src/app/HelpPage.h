#pragma once
// Which user guide the help links open: the one in the user's language
// where the program ships it.
#include <string>

namespace velomar {

// "help\<language>.html" in the program's folder where it exists (German:
// help\German.html), else the English guide "help\index.html". The
// language is a name as ReadLanguageName gives it, which names no folder.
std::string HelpPageFor(const std::string& programFolder, const std::string& language);

}  // namespace velomar
