#include "util/DataFolder.h"

#include "platform/Files.h"
#include "platform/System.h"

namespace velomar {

std::string PerUserDataFolder() {
  const std::string appData = platform::ApplicationDataFolder();
  if (appData.empty()) return {};
  const char sep = platform::PathSeparator();
  return platform::JoinPath(appData, std::string("Tandrel") + sep + "Velomar" + sep);
}

bool EnsurePerUserDataFolder(std::string& error) {
  const std::string folder = PerUserDataFolder();
  if (folder.empty()) {
    error = "The application-data folder of this user is unknown";
    return false;
  }
  if (!platform::CreateDirectoryTree(folder.substr(0, folder.size() - 1))) {
    error = "Cannot create the folder \"" + folder + "\"";
    return false;
  }
  return true;
}

}  // namespace velomar
