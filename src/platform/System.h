#pragma once
// Facts about the machine and the user that the program reads.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ScopedSeam.h"

namespace velomar::platform {

// The current user's application-data folder with a trailing separator, or
// empty when it is unknown. Windows: the "AppData" value of the user's shell
// folders; elsewhere $XDG_CONFIG_HOME, by default ~/.config.
std::string ApplicationDataFolder();
// The current user's documents folder with a trailing separator, or empty
// when it is unknown. Windows: the "Personal" value of the user's shell
// folders; elsewhere the home folder.
std::string DocumentsFolder();

// The key of the user's shell folders (under HKEY_CURRENT_USER) whose
// "AppData" value names the application-data folder on Windows.
inline constexpr const char* kShellFoldersKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// What the memory-status query answered: the total physical memory in
// bytes, or nothing when the query failed, with the system's error code
// (0 when it reported none).
struct PhysicalMemory {
  std::optional<std::uint64_t> totalBytes;
  std::uint32_t errorCode = 0;
};
// The machine's answer, unless a ScopedPhysicalMemory stands in for it.
PhysicalMemory TotalPhysicalMemory();
// The machine's answer itself (GlobalMemoryStatusEx; sysconf elsewhere).
PhysicalMemory QuerySystemPhysicalMemory();

// Tests: the memory query answers `answer` for the lifetime of the object.
// Install it before starting a worker that asks.
class ScopedPhysicalMemory {
 public:
  explicit ScopedPhysicalMemory(PhysicalMemory answer) : answer_(answer), standIn_(answer_) {}

 private:
  PhysicalMemory answer_;
  Scoped<const PhysicalMemory> standIn_;
};

// The major version of Windows as GetVersionExA reports it to this program
// (5 for Windows XP and Server 2003, 6 for Vista to 8.1, 10 for Windows 10
// and later, since the program's manifest names them); 0 where it cannot be
// told, and on systems other than Windows.
int WindowsMajorVersion();

// Where Firefox keeps profiles.ini on systems whose application-data folder
// is not in the registry: ~/.mozilla/firefox when it holds a profiles.ini,
// otherwise mozilla/firefox under $XDG_CONFIG_HOME (~/.config). Empty on
// Windows, where the Firefox unit derives it from the user's shell folders.
std::string FirefoxDataFolderCandidate();

// The program's arguments after its name, as UTF-8: on Windows from the
// wide-character command line (argv holds the ANSI code page, which cannot
// name every file); elsewhere argv as it is.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Orders two texts without regard to case by the rules of the user's locale
// (Windows: CompareStringW of the user's default locale; elsewhere ASCII
// letters folded, then bytes): negative, zero or positive.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace velomar::platform
