#pragma once
// Facts about the machine and the user that the program reads.
#include <cstdint>
#include <optional>
#include <string>

namespace velomar::platform {

// The current user's application-data folder with a trailing separator, or
// empty when it is unknown. Windows: the "AppData" value of the user's shell
// folders; elsewhere $XDG_CONFIG_HOME, by default ~/.config.
std::string ApplicationDataFolder();

// Total physical memory in bytes; nothing when the system does not tell.
std::optional<std::uint64_t> TotalPhysicalMemory();

}  // namespace velomar::platform
