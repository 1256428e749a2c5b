#pragma once
// A memory registry in place of the system's, an empty folder as the
// current directory (where the backups go) and as the application-data
// folder, an in-memory window and a recorder of a pass's progress.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/MemoryRegistry.h"
#include "registry/RegistryStore.h"
#include "support/RecordedProgress.h"
#include "support/StoreHelpers.h"
#include "support/TestSupport.h"
#include "util/DataFolder.h"
#include "window/MemoryWindow.h"

namespace velomar::test {

inline constexpr const char* kT = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline constexpr const char* kI = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kD = "\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters";
inline constexpr const char* kSP = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\ServiceProvider";
inline constexpr const char* kInterfaces = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline constexpr const char* kPsched = "\\SYSTEM\\CurrentControlSet\\Services\\Psched\\Parameters\\Adapters\\";
inline constexpr platform::RegRoot kLM = platform::RegRoot::LocalMachine;
inline constexpr platform::RegRoot kCU = platform::RegRoot::CurrentUser;

class TcpFixture : public ::testing::Test {
 protected:
  TcpFixture() {
    std::string error;
    EXPECT_TRUE(EnsurePerUserDataFolder(error)) << error;
  }

  // REGEDIT4 lines after the header; keys may be written as HKLM\... .
  void Seed(const std::string& body) {
    std::string error;
    ASSERT_TRUE(registry.LoadRegText("REGEDIT4\n" + body, error)) << error;
  }
  // Adapter bindings under Tcpip\Parameters\Adapters.
  void SeedAdapters(std::initializer_list<const char*> ids) {
    for (const char* id : ids)
      Seed(std::string("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\") + id + "]\n");
  }
  // Windows XP as a user left it: the keys of the tuned values exist, the
  // Tcpip key holds the user's own DefaultTTL and Tcp1323Opts, and one
  // adapter has no interface key yet. `serviceProviderValues` are REGEDIT4
  // value lines for the ServiceProvider key.
  void SeedXpSystem(const std::string& serviceProviderValues = "") {
    Seed(
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"DefaultTTL\"=dword:00000064\n"
        "\"Tcp1323Opts\"=dword:00000001\n"
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces]\n"
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\ServiceProvider]\n" +
        serviceProviderValues +
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters]\n"
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters]\n"
        "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\n");
    SeedAdapters({"{A}"});
  }
  std::optional<std::int32_t> Read(platform::RegRoot root, const std::string& path, const char* name) {
    return ReadRegInteger(root, path, name);
  }
  bool Present(platform::RegRoot root, const std::string& path, const char* name) {
    return RegValueStatus(root, path, name).Present();
  }
  std::string Snapshot() const { return registry.SaveRegText(); }

  platform::MemoryRegistry registry;
  ScopedRegistry scoped{registry};
  TempFolder folder;
  ScopedCurrentDirectory cwd{folder.path()};
  ScopedAppData appData{folder.path()};
  MemoryWindow window;
  RecordedProgress progress;
};

}  // namespace velomar::test
