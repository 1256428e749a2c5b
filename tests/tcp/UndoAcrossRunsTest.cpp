// Undo over several runs of both modes: every undo gives back what was there
// before Velomar first changed each value, of whatever type, keys included;
// a complete undo retires the backups, so that a later run records the
// state of its own moment.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TcpFixture.h"
#include "tcp/CustomTcpPass.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"

namespace velomar {
namespace {

using namespace velomar::test;

class UndoAcrossRuns : public TcpFixture {
 protected:
  PassReport Auto(std::int32_t kbps) {
    FixedPathMtu probe(1500);
    return AutoOptimizeTcp(kbps, 4, progress, probe);
  }
  PassReport Custom(std::int32_t kbps) {
    CustomTcpSettings custom;
    custom.bandwidthKbps = kbps;
    custom.recvWindow = 129940;
    custom.timeToLive = 99;
    return RunCustomTcpPass(custom, progress, 4);
  }
  std::optional<platform::RegValue> Stored(const char* name) {
    auto key = registry.Open(platform::RegRoot::LocalMachine, kT, false);
    return key ? key->Query(name) : std::nullopt;
  }
};

TEST_F(UndoAcrossRuns, ACompleteUndoRetiresBothBackupsAndTheNextRunRecordsItsOwnMoment) {
  SeedXpSystem();
  ASSERT_TRUE(Custom(2048).backupWritten);
  ASSERT_TRUE(Auto(10240).backupWritten);
  WriteFileText("RegBackUp.bk.restored", "an earlier undo\n");
  const BackupRestore undo = RestoreRegBackup("RegBackUp.bk");
  ASSERT_TRUE(undo.Complete());
  EXPECT_EQ(undo.retired,
            (std::vector<std::pair<std::string, std::string>>{{"RegBackUp.bk", "RegBackUp.bk.restored2"},
                                                              {"CustomRegBackUp.bk", "CustomRegBackUp.bk.restored"}}))
      << "never replacing a file";
  EXPECT_EQ(ReadFileText("RegBackUp.bk.restored"), "an earlier undo\n");
  EXPECT_FALSE(platform::FileExists("RegBackUp.bk"));
  EXPECT_FALSE(RestoreRegBackup("CustomRegBackUp.bk").found) << "a retired backup is not read again";

  // The user's own setting between two runs is what the next undo gives back.
  WriteNumber(kLM, kT, "DefaultTTL", 90);
  const std::string before = Snapshot();
  ASSERT_TRUE(Auto(10240).backupWritten);
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 90);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(UndoAcrossRuns, AnUndoThatCouldNotPutEverythingBackKeepsTheBackups) {
  SeedXpSystem();
  ASSERT_TRUE(Auto(10240).backupWritten);
  ASSERT_TRUE(registry.DenyFullAccess(platform::RegRoot::LocalMachine, kSP));
  const BackupRestore undo = RestoreRegBackup("RegBackUp.bk");
  EXPECT_FALSE(undo.Complete());
  EXPECT_TRUE(undo.retired.empty());
  EXPECT_TRUE(platform::FileExists("RegBackUp.bk")) << "to be tried again";
}

// Custom at 2M deletes the user's NegativeCacheTime, which automatic at 10M
// then never sees: the automatic Undo takes it from the custom backup.
TEST_F(UndoAcrossRuns, EitherUndoGivesBackWhatEitherPassChangedFirst) {
  SeedXpSystem();
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters]\n\"NegativeCacheTime\"=dword:0000012c\n");
  const std::string before = Snapshot();
  ASSERT_TRUE(Custom(2048).backupWritten);
  ASSERT_FALSE(Present(kLM, kD, "NegativeCacheTime"));
  ASSERT_TRUE(Auto(10240).backupWritten);
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  EXPECT_EQ(Read(kLM, kD, "NegativeCacheTime"), 300);
  EXPECT_EQ(Snapshot(), before);

  // The recover window's restore finds the automatic pass's backup alone.
  ASSERT_TRUE(Auto(10240).backupWritten);
  const BackupRestore recover = RestoreRegBackup("CustomRegBackUp.bk");
  EXPECT_TRUE(recover.found);
  EXPECT_TRUE(recover.Complete());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(UndoAcrossRuns, AValueOfAnotherTypeComesBackWithItsTypeAndData) {
  SeedXpSystem();
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"DefaultTTL\"=\"90\"\n"
      "\"SackOpts\"=hex:01,00\n\"TcpWindowSize\"=hex(4):ff\n");
  const std::string before = Snapshot();
  ASSERT_TRUE(Auto(10240).backupWritten);
  ASSERT_EQ(Read(kLM, kT, "DefaultTTL"), 64);

  std::string text, error;
  ASSERT_TRUE(UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error)) << error;
  for (const char* line : {"\"DefaultTTL\"=\"90\"", "\"SackOpts\"=hex:01,00", "\"TcpWindowSize\"=hex(4):ff"})
    EXPECT_NE(text.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line << "\n" << text;

  const BackupRestore undo = RestoreRegBackup("RegBackUp.bk");
  ASSERT_TRUE(undo.Complete());
  EXPECT_NE(std::find(undo.changes.rows.begin(), undo.changes.rows.end(), LogRow{"SackOpts", "1", "hex:01,00"}),
            undo.changes.rows.end());
  EXPECT_EQ(Stored("DefaultTTL"), platform::RegValue::String("90"));
  EXPECT_EQ(Snapshot(), before);

  // What earlier backups recorded, "No value" with the value's type, still
  // means that there was no usable value.
  WriteFileText("old.bk", "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kT) + "\r\nNo value\r\nREG_SZ\r\n");
  ASSERT_TRUE(RestoreRegBackup("old.bk").Complete());
  EXPECT_FALSE(Stored("DefaultTTL"));
}

// The keys a pass creates, those above its values' keys among them, go again.
TEST_F(UndoAcrossRuns, AnEmptyRegistryComesBackEmpty) {
  SeedAdapters({"{A}"});
  const std::string before = Snapshot();
  ASSERT_TRUE(Custom(1024).backupWritten);
  ASSERT_TRUE(Auto(10240).backupWritten);
  ASSERT_TRUE(KeyExists(kCU, "\\Software\\Microsoft"));
  ASSERT_TRUE(RestoreRegBackup("CustomRegBackUp.bk").Complete());
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace velomar
