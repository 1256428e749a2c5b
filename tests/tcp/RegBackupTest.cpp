// The registry backups across several passes: they keep each value as it
// was before the program first changed it, and never lose a file.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TcpFixture.h"
#include "tcp/CustomTcpPass.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "util/Numbers.h"
#include "util/TextLines.h"

namespace velomar {
namespace {

using namespace velomar::test;

class RegBackup : public TcpFixture {
 protected:
  // The user's own settings: a few values, one adapter with its MTU.
  void SeedUserSettings() {
    SeedAdapters({"{A}"});
    Seed(
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"TcpWindowSize\"=dword:00010000\n"
        "\"DefaultTTL\"=dword:00000080\n\"SackOpts\"=dword:00000000\n"
        "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{A}]\n\"MTU\"=dword:000005dc\n");
  }
  void ExpectUserSettings() {
    EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), 65536);
    EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 128);
    EXPECT_EQ(Read(kLM, kT, "SackOpts"), 0);
    EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{A}", "MTU"), 1500);
  }
  PassReport Auto(std::int32_t kbps, std::int32_t mtu = 1500) {
    FixedPathMtu probe(mtu);
    return AutoOptimizeTcp(kbps, 4, progress, probe);
  }
  static Lines LinesOf(const std::string& file) {
    Lines lines;
    std::string error;
    EXPECT_TRUE(LoadLines(file, lines, error)) << error;
    return lines;
  }
};

TEST_F(RegBackup, TwoAutomaticPassesThenRestoreBringBackTheUsersOwnValues) {
  SeedUserSettings();
  ASSERT_TRUE(Auto(10240).backupWritten);
  const std::string afterFirst = ReadFileText("RegBackUp.bk");
  ASSERT_EQ(Read(kLM, kT, "TcpWindowSize"), 652620);
  ASSERT_TRUE(Auto(1048576, 1492).backupWritten);
  EXPECT_EQ(ReadFileText("RegBackUp.bk"), afterFirst) << "the second pass found every value held already";
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  ExpectUserSettings();
}

TEST_F(RegBackup, AValueFirstTouchedByALaterPassIsAddedWithItsValueThen) {
  SeedUserSettings();
  Auto(10240);
  const std::size_t before = LinesOf("RegBackUp.bk").size();
  // Present only now: the second pass touches it and records it first.
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General]\n\"InternetMTU\"=dword:00000240\n");
  Auto(1048576);
  const Lines lines = LinesOf("RegBackUp.bk");
  ASSERT_EQ(lines.size(), before + 5);
  EXPECT_EQ(Lines(lines.end() - 5, lines.end()),
            (Lines{"InternetMTU", "HKEY_LOCAL_MACHINE",
                   "\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General", "576", "REG_DWORD"}));
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  ExpectUserSettings();
  EXPECT_EQ(Read(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General", "InternetMTU"), 576);
}

TEST_F(RegBackup, AHandMadeBackupKeepsItsRecordsAndGetsOnlyWhatItLacks) {
  SeedUserSettings();
  // A record under other letter case and without the leading backslash is
  // the same value; one under HKEY_CURRENT_USER is not; the two lines after
  // the last record stay.
  WriteFileText("RegBackUp.bk",
                "defaultttl\r\nHKEY_LOCAL_MACHINE\r\nsystem\\currentcontrolset\\services\\tcpip\\parameters\r\n100\r\n"
                "hand-made\r\nSackOpts\r\nHKEY_CURRENT_USER\r\n" +
                    std::string(kT) + "\r\n1\r\nhand-made\r\nleft\r\nover\r\n");
  ASSERT_TRUE(Auto(10240).backupWritten);
  const Lines lines = LinesOf("RegBackUp.bk");
  ASSERT_EQ(lines.size() % 5, 2u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 10),
            (Lines{"defaultttl", "HKEY_LOCAL_MACHINE", "system\\currentcontrolset\\services\\tcpip\\parameters", "100",
                   "hand-made", "SackOpts", "HKEY_CURRENT_USER", kT, "1", "hand-made"}));
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"left", "over"}));
  int ttlRecords = 0, sackRecords = 0;
  for (std::size_t k = 0; k + 5 <= lines.size(); k += 5) {
    ttlRecords += lines[k] == "DefaultTTL" || lines[k] == "defaultttl";
    sackRecords += lines[k] == "SackOpts";
  }
  EXPECT_EQ(ttlRecords, 1);
  EXPECT_EQ(sackRecords, 2) << "a record of its own for HKEY_LOCAL_MACHINE";
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 100);
  EXPECT_EQ(Read(kLM, kT, "SackOpts"), 0);
  EXPECT_EQ(Read(kCU, kT, "SackOpts"), 1);
}

// A backup naming no root ("HKLM") is kept aside as any file that is no
// backup: once it was kept and added to.
TEST_F(RegBackup, ABackupNamingNoRootIsMovedAside) {
  SeedUserSettings();
  const std::string handMade = "SackOpts\r\nHKLM\r\n" + std::string(kT) + "\r\n1\r\nhand-made\r\n";
  WriteFileText("RegBackUp.bk", handMade);
  const PassReport report = Auto(10240);
  EXPECT_TRUE(report.backupWritten);
  EXPECT_EQ(report.backupMovedAsideTo, "RegBackUp.bk.invalid");
  EXPECT_EQ(ReadFileText("RegBackUp.bk.invalid"), handMade);
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  ExpectUserSettings();
}

TEST_F(RegBackup, AFileThatIsNoBackupIsMovedAsideNeverLost) {
  SeedUserSettings();
  const std::string notABackup = "DefaultTTL\nHKEY_LOCAL_MACHINE\n\\SYSTEM\nNo Value\nREG_DWORD\n";
  WriteFileText("RegBackUp.bk", notABackup);
  WriteFileText("RegBackUp.bk.invalid", "an older one\n");
  const PassReport report = Auto(10240);
  EXPECT_TRUE(report.backupWritten);
  EXPECT_EQ(report.backupMovedAsideTo, "RegBackUp.bk.invalid2");
  EXPECT_NE(report.backupMovedAsideReason.find("'No Value'"), std::string::npos) << report.backupMovedAsideReason;
  EXPECT_EQ(ReadFileText("RegBackUp.bk.invalid2"), notABackup);
  EXPECT_EQ(ReadFileText("RegBackUp.bk.invalid"), "an older one\n");
  ASSERT_TRUE(RestoreRegBackup("RegBackUp.bk").Complete());
  ExpectUserSettings();
}

TEST_F(RegBackup, TheCustomPassNeverWritesTheNoValueSentinel) {
  const std::string before = Snapshot();
  CustomTcpSettings custom;
  custom.timeToLive = kDwordReadAsMissing;
  EXPECT_THROW(RunCustomTcpPass(custom, progress, 4), ConversionError);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(platform::FileExists("CustomRegBackUp.bk"));
}

}  // namespace
}  // namespace velomar
