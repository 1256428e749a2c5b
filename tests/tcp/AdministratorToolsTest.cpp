// What velomar-cli offers administrators: a dry run, which shows a pass or a
// restore as the real one would go and changes nothing, and an undo file
// for regedit that gives back the state from before the first change.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/OverlayRegistry.h"
#include "support/TcpFixture.h"
#include "tcp/CustomTcpPass.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"

namespace velomar {
namespace {

using namespace velomar::test;

// A ServiceProvider value of the user's own, which the passes tune.
constexpr const char* kUserDnsPriority = "\"DnsPriority\"=dword:000007d0\n";

class AdministratorTools : public TcpFixture {
 protected:
  std::vector<LogRow> Auto() {
    RecordedProgress log;
    FixedPathMtu probe(1500);
    AutoOptimizeTcp(10240, 4, log, probe);
    return log.Rows();
  }
  PassReport Custom(std::int32_t ttl) {
    CustomTcpSettings custom;
    custom.recvWindow = 64240;
    custom.timeToLive = ttl;
    custom.maxDuplicate = 2;
    custom.maxConnPerServer = 16;
    custom.maxConnPer10Server = 16;
    return RunCustomTcpPass(custom, progress, 4);
  }
};

TEST_F(AdministratorTools, ADryRunShowsTheRowsOfTheRealRunAndChangesNothing) {
  SeedXpSystem(kUserDnsPriority);
  const std::string before = Snapshot();
  std::vector<LogRow> dryAuto;
  {
    platform::OverlayRegistry overlay(registry);
    ScopedRegistry dry(overlay);
    platform::ScopedNoWrites noWrites;
    dryAuto = Auto();
  }
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(platform::FileExists("RegBackUp.bk"));
  EXPECT_EQ(dryAuto, Auto()) << "the same rows as the real pass";

  // The restore's rows, the deletions of what the pass created among them.
  const std::string tuned = Snapshot();
  std::vector<LogRow> dryRestore;
  {
    platform::OverlayRegistry overlay(registry);
    ScopedRegistry dry(overlay);
    platform::ScopedNoWrites noWrites;
    dryRestore = RestoreRegBackup("RegBackUp.bk").changes.rows;
  }
  EXPECT_TRUE(platform::FileExists("RegBackUp.bk")) << "the dry run retires no backup";
  EXPECT_EQ(Snapshot(), tuned);
  EXPECT_NE(std::find(dryRestore.begin(), dryRestore.end(), LogRow{"TcpWindowSize", "652620", "Delete value"}),
            dryRestore.end());
  EXPECT_NE(std::find(dryRestore.begin(), dryRestore.end(), LogRow{"DefaultTTL", "64", "100"}), dryRestore.end());
  EXPECT_EQ(dryRestore, RestoreRegBackup("RegBackUp.bk").changes.rows);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(AdministratorTools, TheUndoFileGivesBackTheStateFromBeforeTheFirstPass) {
  SeedXpSystem(kUserDnsPriority);
  const std::string before = Snapshot();
  Auto();
  ASSERT_TRUE(Custom(77).changes.Complete());
  std::string text, error;
  ASSERT_TRUE(UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error)) << error;
  EXPECT_NE(text.find("\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n\"DefaultTTL\"=dword:00000064\r\n"), std::string::npos) << "the user's own, not 64";
  EXPECT_NE(text.find("\r\n\"TcpWindowSize\"=-\r\n"), std::string::npos) << "a value that was not there goes";

  // As regedit applies it: values back, the interface key the pass made stays, empty.
  ASSERT_TRUE(registry.LoadRegText(text, error)) << error;
  platform::MemoryRegistry expected;
  ASSERT_TRUE(expected.LoadRegText(before, error)) << error;
  expected.Open(platform::RegRoot::LocalMachine, std::string(kInterfaces) + "{A}", true);
  EXPECT_EQ(Snapshot(), expected.SaveRegText());
}

TEST_F(AdministratorTools, TheEarlierRecordWinsAndABadBackupOrNoneIsRefused) {
  std::string text, error;
  EXPECT_FALSE(UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error));
  EXPECT_NE(error.find("RegBackUp.bk"), std::string::npos) << error;

  WriteFileText(kAutoBackupFile, "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kT) + "\r\n100\r\nREG_DWORD\r\n");
  WriteFileText(kCustomBackupFile, "defaultttl\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kT) +
                                       "\\\r\n77\r\nREG_DWORD\r\n" + "SackOpts\r\nHKEY_CURRENT_USER\r\n" + kT +
                                       "\r\nNo value\r\nREG_NONE\r\n");
  ASSERT_TRUE(UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error)) << error;
  EXPECT_EQ(text, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE" + std::string(kT) +
                      "]\r\n\"DefaultTTL\"=dword:00000064\r\n\r\n"
                      "[HKEY_CURRENT_USER" +
                      kT + "]\r\n\"SackOpts\"=-\r\n");

  // An unknown root name makes no key of HKEY_CURRENT_USER's: the file is
  // refused, with its line.
  WriteFileText(kCustomBackupFile, "SackOpts\r\nHKLM\r\n" + std::string(kT) + "\r\nNo value\r\nREG_NONE\r\n");
  EXPECT_FALSE(UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error));
  EXPECT_NE(error.find("'HKLM' is no root key name (CustomRegBackUp.bk, line 2)"), std::string::npos) << error;

  WriteFileText(kCustomBackupFile, "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n\\X\r\nlots\r\nREG_DWORD\r\n");
  EXPECT_FALSE(UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error));
  EXPECT_NE(error.find("CustomRegBackUp.bk"), std::string::npos) << error;
  EXPECT_NE(error.find("'lots'"), std::string::npos) << error;
}

}  // namespace
}  // namespace velomar
