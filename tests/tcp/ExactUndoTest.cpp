// Undo gives back the registry exactly as it was before the first pass, and
// a pass or restore that the registry refuses says so, value by value: the
// user without administrator rights of Windows XP, whose every key under
// HKLM can be read but not opened for writing.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TcpFixture.h"
#include "tcp/CustomTcpPass.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"

namespace velomar {
namespace {

using namespace velomar::test;

// The system's sentence for a refused change, in its own words.
const std::string kDenied = platform::RegErrorText(platform::kErrorAccessDenied);

class ExactUndo : public TcpFixture {
 protected:
  // What a user without administrator rights meets: every key under HKLM
  // that the passes touch refuses full access.
  void DenyMachineKeys() {
    for (const std::string& path :
         {std::string(kT), std::string(kT) + "\\Interfaces", std::string(kT) + "\\Adapters", std::string(kSP),
          std::string(kD), std::string("\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters")})
      ASSERT_TRUE(registry.DenyFullAccess(platform::RegRoot::LocalMachine, path)) << path;
  }
  PassReport Auto(std::int32_t kbps) {
    FixedPathMtu probe(1500);
    return AutoOptimizeTcp(kbps, 4, progress, probe);
  }
  PassReport Custom() {
    CustomTcpSettings custom;
    custom.recvWindow = 64240;
    custom.timeToLive = 64;
    custom.maxDuplicate = 2;
    custom.maxConnPerServer = 16;
    custom.maxConnPer10Server = 16;
    return RunCustomTcpPass(custom, progress, 4);
  }
  static std::vector<std::string> Names(const RegChanges& changes) {
    std::vector<std::string> names;
    for (const auto& value : changes.notChanged) names.push_back(value.name);
    return names;
  }
};

TEST_F(ExactUndo, AutomaticAt10MThenUndoLeavesEveryValueAsItWasPresentOrAbsent) {
  SeedXpSystem();
  const std::string before = Snapshot();
  const PassReport report = Auto(10240);
  ASSERT_TRUE(report.backupWritten) << report.backupError;
  EXPECT_TRUE(report.changes.Complete());
  ASSERT_EQ(Read(kLM, kT, "DefaultTTL"), 64);
  ASSERT_TRUE(KeyExists(kLM, std::string(kInterfaces) + "{A}"));

  const BackupRestore restore = RestoreRegBackup("RegBackUp.bk");
  EXPECT_TRUE(restore.Complete());
  EXPECT_EQ(Snapshot(), before) << "values and keys the pass created are gone, the user's own are back";

  // A later custom pass finds the user's values, not the tuned ones.
  ASSERT_TRUE(Custom().backupWritten);
  ASSERT_TRUE(RestoreRegBackup("CustomRegBackUp.bk").Complete());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(ExactUndo, TheAutomaticPassTellsEveryValueTheRegistryRefused) {
  SeedXpSystem();
  DenyMachineKeys();
  const PassReport report = Auto(10240);
  ASSERT_TRUE(report.backupWritten) << report.backupError;
  // The two HKCU values were changed; every write under HKLM was refused,
  // and the conditional steps could not see their values.
  EXPECT_EQ(report.changes.changed, 2);
  EXPECT_EQ(Names(report.changes),
            (std::vector<std::string>{"TcpWindowSize", "GlobalMaxTcpWindowSize", "EnablePMTUDiscovery",
                                      "EnablePMTUBHDetect", "SackOpts", "DefaultTTL", "TcpMaxDupAcks", "Tcp1323Opts",
                                      "MaxNegativeCacheTtl", "NetFailureCacheTime", "NegativeSOACacheTime",
                                      "LocalPriority", "HostsPriority", "DnsPriority", "NetbtPriority", "SizReqBuf"}));
  EXPECT_EQ(report.changes.notChanged[0].root, kLM);
  EXPECT_EQ(report.changes.notChanged[0].path, kT);
  EXPECT_EQ(report.changes.notChanged[0].Reason(), kDenied);
  // Each row says whether its value was changed.
  for (const auto& row : progress.Rows()) {
    const bool userKey = row.name.rfind("MaxConnectionsPer", 0) == 0;
    EXPECT_EQ(row.newValue == kNotChangedText, !userKey) << row.name << " " << row.newValue;
  }
  EXPECT_EQ(Read(kCU, kI, "MaxConnectionsPerServer"), 10);
}

TEST_F(ExactUndo, TheCustomPassAndBothRestoresTellTheRefusedValuesToo) {
  SeedXpSystem();
  const std::string mtuKey = std::string(kInterfaces) + "{A}";
  DenyMachineKeys();

  const PassReport custom = Custom();
  ASSERT_TRUE(custom.backupWritten) << custom.backupError;
  EXPECT_EQ(custom.changes.changed, 2) << "the two HKCU values";
  EXPECT_EQ(custom.changes.notChanged.size(), 13u);

  // A backup made by an administrator: the values it holds cannot be put
  // back, and those recorded as missing cannot be taken away.
  WriteFileText("RegBackUp.bk", "DefaultTTL\nHKEY_LOCAL_MACHINE\n" + std::string(kT) + "\n128\nREG_DWORD\n" +
                                    "SackOpts\nHKEY_LOCAL_MACHINE\n" + kT + "\nNo value\nREG_NONE\n" +
                                    "MTU\nHKEY_LOCAL_MACHINE\n" + mtuKey + "\nNo Key\nREG_NONE\n");
  const BackupRestore restore = RestoreRegBackup("RegBackUp.bk");
  EXPECT_FALSE(restore.Complete());
  EXPECT_EQ(Names(restore.changes), (std::vector<std::string>{"DefaultTTL", "SackOpts"}))
      << "a missing key is nothing to remove";
  EXPECT_EQ(restore.changes.notChanged[1].Reason(), kDenied);

  const RegChanges defaults = RestoreTcpDefaults();
  EXPECT_EQ(defaults.changed, 2) << "the two HKCU counts";
  EXPECT_EQ(Names(defaults), (std::vector<std::string>{"TcpWindowSize", "GlobalMaxTcpWindowSize", "EnablePMTUDiscovery",
                                                       "EnablePMTUBHDetect", "SackOpts", "DefaultTTL", "TcpMaxDupAcks",
                                                       "Tcp1323Opts", "MaxNegativeCacheTtl", "NegativeCacheTime",
                                                       "NetFailureCacheTime", "NegativeSOACacheTime", "LocalPriority",
                                                       "HostsPriority", "DnsPriority", "NetbtPriority", "SizReqBuf"}))
      << "every value under a key it cannot open, which may hold it";
}

// A pass that could not read a value records nothing for it, so that the
// first pass that can records the user's own value, and undo gives it back.
TEST_F(ExactUndo, ARefusedPassLeavesTheRecordToAPassThatCanChangeTheValue) {
  SeedXpSystem();
  const std::string before = Snapshot();
  DenyMachineKeys();
  ASSERT_TRUE(Auto(10240).backupWritten);

  platform::MemoryRegistry administrator;
  std::string error;
  ASSERT_TRUE(administrator.LoadRegText(registry.SaveRegText(), error)) << error;
  ScopedRegistry asAdministrator(administrator);
  ASSERT_TRUE(Auto(10240).changes.Complete());
  ASSERT_EQ(Read(kLM, kT, "DefaultTTL"), 64);

  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 100);
  EXPECT_EQ(Read(kLM, kT, "Tcp1323Opts"), 1);
  EXPECT_FALSE(Present(kLM, kT, "TcpWindowSize"));
  EXPECT_EQ(administrator.SaveRegText(), before);
}

TEST_F(ExactUndo, ACustomPassWhoseBackupCannotBeWrittenChangesNothing) {
  SeedXpSystem();
  ASSERT_TRUE(platform::CreateDirectoryTree(folder.File("CustomRegBackUp.bk")));
  const std::string before = Snapshot();
  const PassReport report = Custom();
  EXPECT_FALSE(report.backupWritten);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(progress.Position(), 0) << "not even a tick";
}

}  // namespace
}  // namespace velomar
