#pragma once
#include <string>

namespace velomar {

// The per-user data folder: the application-data folder followed by
// "Tandrel\Velomar\" (with the platform's separator); empty when the
// application-data folder is unknown.
std::string PerUserDataFolder();
// Creates it when it is missing; false (with a message) when that fails.
bool EnsurePerUserDataFolder(std::string& error);

}  // namespace velomar
