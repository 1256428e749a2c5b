#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TcpFixture.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "util/TextLines.h"

namespace velomar {
namespace {

using namespace velomar::test;
using Kind = RecordedProgress::Kind;

class AutoPass : public TcpFixture {
 protected:
  AutoPassReport Run(std::int32_t kbps, std::int32_t step = 4, std::int32_t mtu = 1500, int startAt = 0) {
    progress.Clear();
    progress.SetPosition(startAt);
    FixedPathMtu probe(mtu);
    return AutoOptimizeTcp(kbps, step, progress, probe);
  }
  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (const auto& row : progress.Rows()) names.push_back(row.name);
    return names;
  }
  int Progress() const { return progress.Position(); }
};

TEST_F(AutoPass, EmptyRegistryGivesEighteenRowsAndTheFullBudget) {
  const auto report = Run(10240, 4, 1500);
  EXPECT_TRUE(report.backupWritten) << report.backupError;
  EXPECT_EQ(RowNames(),
            (std::vector<std::string>{"TcpWindowSize", "GlobalMaxTcpWindowSize", "EnablePMTUDiscovery",
                                      "EnablePMTUBHDetect", "SackOpts", "DefaultTTL", "TcpMaxDupAcks", "Tcp1323Opts",
                                      "MaxConnectionsPerServer", "MaxConnectionsPer1_0Server", "MaxNegativeCacheTtl",
                                      "NetFailureCacheTime", "NegativeSOACacheTime", "LocalPriority", "HostsPriority",
                                      "DnsPriority", "NetbtPriority", "SizReqBuf"}));
  for (const auto& row : progress.Rows()) EXPECT_EQ(row.oldValue, "No value") << row.name;
  EXPECT_EQ(progress.Rows()[0].newValue, "652620");
  EXPECT_EQ(Progress(), 98);
  EXPECT_EQ(progress.PauseCount(), 18);

  // Every value was created, its key too; the HKCU pair lands under HKCU.
  EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), 652620);
  EXPECT_EQ(Read(kLM, kT, "GlobalMaxTcpWindowSize"), 652620);
  EXPECT_EQ(Read(kCU, kI, "MaxConnectionsPer1_0Server"), 10);
  EXPECT_EQ(Read(kLM, kSP, "NetbtPriority"), 8);
  EXPECT_FALSE(Present(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters", "DefaultReceiveWindow"));
  EXPECT_FALSE(Present(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0", "ProtocolMTU"));
}

TEST_F(AutoPass, ProgressFollowsTheTableForBothSteps) {
  Run(1024, 4);
  const std::vector<int> positions = progress.Positions();
  // Start, 23 steps (the second adds 2, the last nothing), then before and after the adapters.
  std::vector<int> expected = {4, 8, 10};
  for (int p = 14; p <= 90; p += 4) expected.push_back(p);
  expected.insert(expected.end(), {90, 94, 98});
  EXPECT_EQ(positions, expected);

  registry.Clear();
  Run(1024, 2, 1500, 52);
  EXPECT_EQ(Progress(), 102);
}

TEST_F(AutoPass, EachRowIsAnnouncedAndPausedBeforeItAppears) {
  Run(512);
  std::vector<std::string> first;
  for (const auto& r : progress.Reports()) {
    if (r.kind == Kind::Status) first.push_back("status " + r.value);
    if (r.kind == Kind::Pause) first.push_back("pause");
    if (r.kind == Kind::Row) first.push_back("row " + r.value);
    if (first.size() == 6) break;
  }
  EXPECT_EQ(first, (std::vector<std::string>{"status TCP : Optimizing TcpWindowSize ...", "pause",
                                             "row TcpWindowSize\tNo value\t33580",
                                             "status TCP : Optimizing GlobalMaxTcpWindowSize ...", "pause",
                                             "row GlobalMaxTcpWindowSize\tNo value\t33580"}));
}

TEST_F(AutoPass, OldValuesShowUnsignedAndConditionalStepsActOnlyWhenPresent) {
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"TcpWindowSize\"=dword:ffffffff\n"
      "\"DefaultTTL\"=dword:00000080\n\"SackOpts\"=\"1\"\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters]\n\"DefaultReceiveWindow\"=dword:00002000\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General]\n\"InternetMTU\"=dword:000005d4\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters]\n\"NegativeCacheTime\"=dword:0000012c\n"
      "[HKLM\\SOFTWARE\\Policies\\Microsoft\\Windows\\Psched]\n\"NonBestEffortLimit\"=dword:00000014\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0]\n\"ProtocolMTU\"=dword:"
      "000005dc\n");
  Run(2048);
  const auto rows = progress.Rows();
  ASSERT_EQ(rows.size(), 23u);
  EXPECT_EQ(rows[0], (LogRow{"TcpWindowSize", "4294967295", "129940"}));
  EXPECT_EQ(rows[2], (LogRow{"DefaultReceiveWindow", "8192", "256960"}));
  EXPECT_EQ(rows[5], (LogRow{"SackOpts", "No value", "1"})) << "a string value has no integer to show";
  EXPECT_EQ(rows[6], (LogRow{"DefaultTTL", "128", "64"}));
  EXPECT_EQ(rows[11], (LogRow{"InternetMTU", "1492", "Delete value"}));
  EXPECT_EQ(rows[12], (LogRow{"NegativeCacheTime", "300", "Delete value"}));
  EXPECT_EQ(rows[16], (LogRow{"NonBestEffortLimit", "20", "0"}));
  EXPECT_EQ(rows[22], (LogRow{"ProtocolMTU", "1500", "1492"}));
  EXPECT_FALSE(Present(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General", "InternetMTU"));
  EXPECT_FALSE(Present(kLM, kD, "NegativeCacheTime"));
  EXPECT_EQ(Read(kLM, kT, "SackOpts"), 1) << "the integer replaces the string";
  EXPECT_EQ(Progress(), 98);
}

TEST_F(AutoPass, AdaptersGetTheirMtuAndInterfaceKeysAreCreated) {
  SeedAdapters({"{A}", "{B}"});
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{A}]\n\"TcpWindowSize\"=dword:"
      "0000ffff\n"
      "\"MTU\"=dword:00000240\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Psched\\Parameters\\Adapters\\{B}]\n\"NonBestEffortLimit\"=dword:"
      "00000014\n");
  Run(4096, 4, 1492);
  auto rows = progress.Rows();
  ASSERT_EQ(rows.size(), 18u + 4u);
  rows.erase(rows.begin(), rows.begin() + 18);
  EXPECT_EQ(rows, (std::vector<LogRow>{{"MTU", "576", "1492"},
                                       {"TcpWindowSize", "65535", "Delete value"},
                                       {"MTU", "No value", "1492"},
                                       {"NonBestEffortLimit", "20", "0"}}));
  EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{B}", "MTU"), 1492);
  EXPECT_FALSE(Present(kLM, std::string(kInterfaces) + "{A}", "TcpWindowSize"));
  EXPECT_EQ(Read(kLM, std::string(kPsched) + "{B}", "NonBestEffortLimit"), 0);
  EXPECT_FALSE(KeyExists(kLM, std::string(kPsched) + "{A}")) << "a write-if-present step creates nothing";
  EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), 261360);
  EXPECT_EQ(Progress(), 98) << "adapter steps add nothing";
}

TEST_F(AutoPass, FailedOrUselessProbeMeansMtu1500) {
  SeedAdapters({"{A}"});
  for (std::int32_t probe : {-1, 40, 28}) {
    EXPECT_EQ(Run(1024, 4, probe).tuning.mtu, 1500);
    EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), 64240) << probe;
    EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{A}", "MTU"), 1500);
  }
  EXPECT_EQ(Run(1024, 4, 41).tuning.mtu, 41) << "a segment of one byte still computes";
}

TEST_F(AutoPass, ParametersOfThePass) {
  const TuningParameters p = Run(56, 2, 1492).tuning;
  EXPECT_EQ(p.bandwidthKbps, 56);
  EXPECT_EQ(p.bandwidthBits, 256 * 1024);
  EXPECT_EQ(p.roundTripMs, 500);
  EXPECT_EQ(p.tcpWindow, 17424);
  EXPECT_EQ(p.progressStep, 2);
}

TEST_F(AutoPass, BackupRecordsEveryTouchedValueAndRestoresIt) {
  SeedAdapters({"{A}"});
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"DefaultTTL\"=dword:00000080\n"
      "\"TcpWindowSize\"=dword:7fffffff\n\"SackOpts\"=\"yes\"\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General]\n\"InternetMTU\"=dword:000005d4\n");
  Run(1024);
  Lines lines;
  std::string error;
  ASSERT_TRUE(LoadLines("RegBackUp.bk", lines, error)) << error;
  // 18 writes, the present InternetMTU, the adapter's MTU, and the seven
  // missing keys above keys the writes create (Software, Microsoft,
  // Windows, CurrentVersion; Dnscache, LanmanServer; Interfaces).
  ASSERT_EQ(lines.size(), 27u * 5u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
            (Lines{"TcpWindowSize", "HKEY_LOCAL_MACHINE", kT, "2147483647", "REG_DWORD"}));
  EXPECT_EQ(Lines(lines.begin() + 20, lines.begin() + 25),
            (Lines{"SackOpts", "HKEY_LOCAL_MACHINE", kT, "hex(1):79,65,73,00", "REG_SZ"}));
  EXPECT_EQ(Lines(lines.begin() + 25, lines.begin() + 30),
            (Lines{"DefaultTTL", "HKEY_LOCAL_MACHINE", kT, "128", "REG_DWORD"}));
  EXPECT_EQ(Lines(lines.begin() + 40, lines.begin() + 50),
            (Lines{"MaxConnectionsPerServer", "HKEY_CURRENT_USER", kI, "No Key", "REG_NONE", "", "HKEY_CURRENT_USER",
                   "\\Software\\Microsoft\\Windows\\CurrentVersion", "No Key", "REG_NONE"}))
      << "the key above, by its default value, which a missing key cannot hold";
  EXPECT_EQ(Lines(lines.end() - 10, lines.end()),
            (Lines{"MTU", "HKEY_LOCAL_MACHINE", std::string(kInterfaces) + "{A}", "No Key", "REG_NONE", "",
                   "HKEY_LOCAL_MACHINE", std::string(kT) + "\\Interfaces", "No Key", "REG_NONE"}));

  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 128);
  EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), std::nullopt);
  EXPECT_EQ(registry.Open(platform::RegRoot::LocalMachine, kT, false)->Query("TcpWindowSize")->AsDword(), 2147483647u)
      << "the exact stored number comes back, not the no-value sentinel";
  EXPECT_EQ(Read(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General", "InternetMTU"), 1492);
  EXPECT_EQ(*registry.Open(platform::RegRoot::LocalMachine, kT, false)->Query("SackOpts"),
            platform::RegValue::String("yes"))
      << "a value of another type comes back with its type and data";
  EXPECT_FALSE(KeyExists(kCU, "\\Software")) << "the keys the pass created are gone";
}

// The values a pass changes could not be put back without their backup.
TEST_F(AutoPass, PassChangesNothingWhenTheBackupCannotBeWritten) {
  // A folder where the backup file should go: the file cannot be replaced.
  ASSERT_TRUE(platform::CreateDirectoryTree(folder.File("RegBackUp.bk")));
  const std::string before = Snapshot();
  const auto report = Run(1024);
  EXPECT_FALSE(report.backupWritten);
  EXPECT_EQ(report.backupFile, platform::JoinPath(platform::CurrentDirectory(), "RegBackUp.bk"))
      << "where it should have gone";
  EXPECT_NE(report.backupError.find("RegBackUp.bk"), std::string::npos) << report.backupError;
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(progress.Rows().empty());
  EXPECT_EQ(report.changes.changed, 0);
}

}  // namespace
}  // namespace velomar
