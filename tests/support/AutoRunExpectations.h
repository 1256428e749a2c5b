#pragma once
// What an automatic run should show: the registry of a Windows XP machine
// before the run (tests/data/registry/auto_window.reg) and the values the
// run touches there, and the Firefox rows of one profile.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "firefox/PrefLines.h"
#include "platform/System.h"
#include "registry/RegistryStore.h"

namespace velomar::test {

inline constexpr const char* kAutoWindowRegFile = "registry/auto_window.reg";
inline constexpr const char* kFixtureAdapter = "{5A1C0D2E-7B3F-4E21-9C44-0A7E1D2B3C4D}";

struct RegName {
  platform::RegRoot root;
  std::string path;
  const char* name;
};

// Every value of the fixture, in the order of the TCP/IP pass's rows.
inline std::vector<RegName> AutoRunValues() {
  const platform::RegRoot lm = platform::RegRoot::LocalMachine;
  const platform::RegRoot cu = platform::RegRoot::CurrentUser;
  const std::string t = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
  const std::string s = "\\SYSTEM\\CurrentControlSet\\Services\\";
  const std::string sp = s + "Tcpip\\ServiceProvider";
  const std::string d = s + "Dnscache\\Parameters";
  const std::string iface = t + "\\Interfaces\\" + kFixtureAdapter;
  return {
      {lm, t, "TcpWindowSize"},
      {lm, t, "GlobalMaxTcpWindowSize"},
      {lm, s + "Afd\\Parameters", "DefaultReceiveWindow"},
      {lm, t, "EnablePMTUDiscovery"},
      {lm, t, "EnablePMTUBHDetect"},
      {lm, t, "SackOpts"},
      {lm, t, "DefaultTTL"},
      {lm, t, "TcpMaxDupAcks"},
      {lm, t, "Tcp1323Opts"},
      {cu, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "MaxConnectionsPerServer"},
      {cu, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "MaxConnectionsPer1_0Server"},
      {lm, s + "ICSharing\\Settings\\General", "InternetMTU"},
      {lm, d, "NegativeCacheTime"},
      {lm, d, "MaxNegativeCacheTtl"},
      {lm, d, "NetFailureCacheTime"},
      {lm, d, "NegativeSOACacheTime"},
      {lm, "\\SOFTWARE\\Policies\\Microsoft\\Windows\\Psched", "NonBestEffortLimit"},
      {lm, sp, "LocalPriority"},
      {lm, sp, "HostsPriority"},
      {lm, sp, "DnsPriority"},
      {lm, sp, "NetbtPriority"},
      {lm, s + "LanmanServer\\Parameters", "SizReqBuf"},
      {lm, s + "NdisWan\\Parameters\\Protocols\\0", "ProtocolMTU"},
      {lm, iface, "MTU"},
      {lm, iface, "TcpWindowSize"},
      {lm, s + "Psched\\Parameters\\Adapters\\" + kFixtureAdapter, "NonBestEffortLimit"},
  };
}

// The names of those values as the pass's rows name them.
inline std::vector<std::string> AutoRunRowNames() {
  std::vector<std::string> names;
  for (const auto& v : AutoRunValues()) names.push_back(v.name);
  return names;
}

// What the registry holds of them now (nothing where one is missing).
inline std::vector<std::optional<std::int32_t>> ReadAutoRunValues() {
  std::vector<std::optional<std::int32_t>> values;
  for (const auto& v : AutoRunValues()) values.push_back(ReadRegInteger(v.root, v.path, v.name));
  return values;
}

// The rows of the Firefox pass for one profile whose user.js holds none of
// its preferences: every common one, and every class one that is not a
// removal (a missing line has nothing to remove).
inline std::size_t FirefoxRowsPerProfile(std::int32_t bandwidthKbps) {
  std::size_t rows = CommonPrefs().size();
  for (const auto& entry : MachineClassPrefs(MachineClassOf(QueryMemoryBig().value_or(false), bandwidthKbps)))
    rows += entry.IsDeletion() ? 0 : 1;
  return rows;
}

}  // namespace velomar::test
