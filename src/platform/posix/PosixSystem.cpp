#include <cstdlib>
#include <unistd.h>

#include "platform/System.h"

namespace velomar::platform {

std::string ApplicationDataFolder() {
  std::string folder;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::string(home) + "/.config";
  } else {
    return {};
  }
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::optional<std::uint64_t> TotalPhysicalMemory() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return std::nullopt;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace velomar::platform
