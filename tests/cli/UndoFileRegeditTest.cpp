// The undo file against Wine's own registry and regedit: the automatic pass
// of the win64 velomar-cli.exe changes the values, regedit /s imports the
// file velomar-cli undo-file wrote, and every tuned value is as it was,
// present or absent.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "registry/RegistryStore.h"
#include "support/StoreHelpers.h"
#include "support/TestSupport.h"
#include "tcp/TcpSteps.h"

namespace velomar {
namespace {

// A program of the build tree, as Wine names it.
std::string WindowsPath(std::string unixPath) {
  for (auto& c : unixPath)
    if (c == '/') c = '\\';
  return "Z:" + unixPath;
}

// Runs a command line in a folder; its exit code, or -1 when it did not end.
long RunProgram(std::string commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                      &startup, &process))
    return -1;
  long code = -1;
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) {
    DWORD exit = 0;
    GetExitCodeProcess(process.hProcess, &exit);
    code = static_cast<long>(exit);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

struct Place {
  platform::RegRoot root;
  std::string path, name;
  bool operator<(const Place& o) const { return std::tie(root, path, name) < std::tie(o.root, o.path, o.name); }
  bool operator==(const Place&) const = default;
};

// Every value the automatic pass touches: the table and each adapter's three.
std::vector<Place> TunedPlaces() {
  std::vector<Place> places;
  for (const auto& v : TunedValues()) places.push_back({v.root, v.path, v.name});
  for (const auto& id : ListAdapters())
    for (const auto& step : AdapterSteps(id, 0)) places.push_back({step.root, step.path, step.name});
  return places;
}

// Present or absent, and what it holds.
std::map<Place, std::optional<platform::RegValue>> Values(const std::vector<Place>& places) {
  std::map<Place, std::optional<platform::RegValue>> values;
  for (const auto& p : places) values[p] = RegValueStatus(p.root, p.path, p.name).value;
  return values;
}

// Puts values back as they were, for the suites that come after.
void Put(const std::map<Place, std::optional<platform::RegValue>>& values) {
  for (const auto& [p, value] : values) {
    if (value) {
      if (auto key = ActiveRegistry().Open(p.root, p.path, true)) key->SetValue(p.name, *value);
    } else {
      DeleteRegValue(p.root, p.path, p.name);
    }
  }
}

TEST(UndoFile, RegeditPutsBackEveryTunedValueAsItWas) {
  const auto places = TunedPlaces();
  const auto original = Values(places);
  // The user's own values, and one that is not there.
  test::WriteNumber(kHKLM, tcp_paths::kTcpipParameters, "DefaultTTL", 100);
  test::WriteNumber(kHKLM, tcp_paths::kTcpipParameters, "Tcp1323Opts", 1);
  DeleteRegValue(kHKLM, tcp_paths::kTcpipParameters, "TcpWindowSize");
  // Values of other types under tuned names come back with their type and data.
  auto tcpip = ActiveRegistry().Open(platform::RegRoot::LocalMachine, tcp_paths::kTcpipParameters, true);
  ASSERT_TRUE(tcpip->SetValue("SackOpts", {platform::kRegBinary, std::string("\x01\x00", 2)}));
  ASSERT_TRUE(tcpip->SetValue("EnablePMTUBHDetect", platform::RegValue::String("0")));
  tcpip.reset();
  const auto seed = Values(places);

  test::TempFolder work;
  const std::string cli = "\"" + WindowsPath(VELOMAR_CLI) + "\"";
  ASSERT_EQ(RunProgram(cli + " auto-tcp --class 10M --mtu 1500", work.path()), 0);
  ASSERT_NE(Values(places), seed) << "the pass changed the values";
  ASSERT_EQ(RunProgram(cli + " undo-file undo.reg", work.path()), 0);
  ASSERT_EQ(RunProgram("regedit.exe /s \"" + work.File("undo.reg") + "\"", work.path()), 0);

  const auto after = Values(places);
  for (const auto& p : places) {
    EXPECT_EQ(after.at(p).has_value(), seed.at(p).has_value()) << p.path << "\\" << p.name;
    if (after.at(p) && seed.at(p)) {
      EXPECT_EQ(*after.at(p), *seed.at(p)) << p.path << "\\" << p.name;
    }
  }
  Put(original);
}

}  // namespace
}  // namespace velomar
