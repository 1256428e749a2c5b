// The Firefox data folder on Windows: the user's "AppData" shell folder.
#include "firefox/FirefoxDataFolder.h"
#include "platform/System.h"
#include "registry/RegistryStore.h"

namespace velomar {

std::string FindFirefoxDataFolder() {
  // Taken as stored: the folder is appended without looking for a separator.
  const std::string appData =
      ReadRegString(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, "AppData").value_or("");
  if (appData.empty()) return {};
  return appData + "\\Mozilla\\Firefox";
}

}  // namespace velomar
