// The Firefox data folder elsewhere: the platform's usual Firefox folder.
#include "firefox/FirefoxDataFolder.h"
#include "platform/System.h"

namespace velomar {

std::string FindFirefoxDataFolder() { return platform::FirefoxDataFolderCandidate(); }

}  // namespace velomar
