#include "app/HelpPage.h"

#include "platform/Files.h"

namespace velomar {

std::string HelpPageFor(const std::string& programFolder, const std::string& language) {
  const std::string help = platform::JoinPath(programFolder, "help");
  const std::string translated = platform::JoinPath(help, language + ".html");
  if (platform::FileExists(translated)) return translated;
  return platform::JoinPath(help, "index.html");
}

}  // namespace velomar
