#include <unistd.h>
#include <cerrno>
#include <cstdlib>

#include "platform/Files.h"
#include "platform/System.h"

namespace velomar::platform {

std::string DocumentsFolder() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  std::string folder = home;
  if (folder.back() != '/') folder += '/';
  return folder;
}

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

PhysicalMemory QuerySystemPhysicalMemory() {
  // sysconf sets errno only for a real failure; an answer it cannot give
  // leaves errno at 0.
  errno = 0;
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = pages > 0 ? ::sysconf(_SC_PAGESIZE) : 0;
  if (pages <= 0 || pageSize <= 0) return {std::nullopt, static_cast<std::uint32_t>(errno)};
  return {static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize), 0};
}

int WindowsMajorVersion() { return 0; }

std::string FirefoxDataFolderCandidate() {
  const char* home = std::getenv("HOME");
  if (home && *home) {
    const std::string classic = std::string(home) + "/.mozilla/firefox";
    if (FileExists(classic + "/profiles.ini")) return classic;
  }
  const std::string config = ApplicationDataFolder();
  if (config.empty()) return {};
  return config + "mozilla/firefox";
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
  const auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const int difference = fold(static_cast<unsigned char>(a[i])) - fold(static_cast<unsigned char>(b[i]));
    if (difference != 0) return difference;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace velomar::platform
