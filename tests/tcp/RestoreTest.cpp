#include <gtest/gtest.h>

#include "support/TcpFixture.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "util/Numbers.h"

namespace velomar {
namespace {

using namespace velomar::test;

class Restore : public TcpFixture {};

TEST_F(Restore, SevenLinesHoldOneRecordAndFourLinesNone) {
  WriteFileText("seven.bk", "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kT) +
                                "\r\n128\r\nanything\r\nTcpMaxDupAcks\r\nHKEY_LOCAL_MACHINE\r\n");
  EXPECT_TRUE(RestoreRegBackup("seven.bk").found);
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 128);
  EXPECT_FALSE(KeyExists(kLM, kT) && Present(kLM, kT, "TcpMaxDupAcks"));

  const std::string before = Snapshot();
  WriteFileText("four.bk", "a\nb\nc\nd\n");
  EXPECT_TRUE(RestoreRegBackup("four.bk").found);
  EXPECT_EQ(Snapshot(), before);
}

// The markers stand for values the pass created: the restore removes them,
// and a key the pass created goes too once nothing else is in it.
TEST_F(Restore, MarkersRemoveWhatThePassCreatedAndLineEndsMayBeMixed) {
  const std::string madeKey = std::string(kInterfaces) + "{B}";
  const std::string sharedKey = std::string(kInterfaces) + "{C}";
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"SackOpts\"=dword:00000001\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{B}]\n\"MTU\"=dword:000005dc\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{C}]\n\"MTU\"=dword:000005dc\n"
      "\"Other\"=dword:00000001\n");
  WriteFileText("m.bk", "SackOpts\rHKEY_LOCAL_MACHINE\n" + std::string(kT) + "\r\nNo value\r\nREG_NONE\r\n" +
                            "DefaultTTL\nHKEY_LOCAL_MACHINE\n" + kT + "\nNo value\nREG_NONE\n" +
                            "MTU\nHKEY_LOCAL_MACHINE\n" + madeKey + "\nNo Key\nREG_NONE\n" +
                            "MTU\nHKEY_LOCAL_MACHINE\n" + sharedKey + "\nNo Key\nREG_NONE\n" +
                            "TcpMaxDupAcks\nHKEY_LOCAL_MACHINE\n" + kT + "\n-7\nREG_DWORD\n");
  const BackupRestore restore = RestoreRegBackup("m.bk");
  EXPECT_TRUE(restore.Complete());
  EXPECT_EQ(restore.changes.changed, 4) << "two deletions, two values, no count for an absent value";
  EXPECT_FALSE(Present(kLM, kT, "SackOpts")) << "a value the pass created goes";
  EXPECT_FALSE(Present(kLM, kT, "DefaultTTL"));
  EXPECT_FALSE(KeyExists(kLM, madeKey)) << "so does a key it created, once empty";
  EXPECT_TRUE(KeyExists(kLM, sharedKey)) << "a key holding something else stays";
  EXPECT_FALSE(Present(kLM, sharedKey, "MTU"));
  EXPECT_EQ(Read(kLM, kT, "TcpMaxDupAcks"), -7);
}

TEST_F(Restore, BadRecordRestoresNothingAndSaysWhere) {
  WriteFileText("bad.bk", "DefaultTTL\nHKEY_LOCAL_MACHINE\n" + std::string(kT) + "\n128\n\n" +
                              "SackOpts\nHKEY_LOCAL_MACHINE\n" + kT + "\nno value\n\n");
  const std::string before = Snapshot();
  const BackupRestore restore = RestoreRegBackup("bad.bk");
  EXPECT_FALSE(restore.Complete()) << "a lower-case marker is no marker";
  EXPECT_NE(restore.invalid.find("line 9"), std::string::npos) << restore.invalid;
  EXPECT_NE(restore.invalid.find("'no value'"), std::string::npos) << restore.invalid;
  EXPECT_EQ(Snapshot(), before) << "not even the good first record";
}

// "HKLM" is no root key name: the record once wrote its value under
// HKEY_CURRENT_USER; now the file is no backup, and the line is named.
TEST_F(Restore, UnknownRootRestoresNothingAndMissingFileFails) {
  WriteFileText("root.bk", "DefaultTTL\nHKLM\n" + std::string(kT) + "\n100\n\n");
  const BackupRestore restore = RestoreRegBackup("root.bk");
  EXPECT_TRUE(restore.found);
  EXPECT_EQ(restore.invalid, "'HKLM' is no root key name (root.bk, line 2)");
  EXPECT_FALSE(Present(kCU, kT, "DefaultTTL"));
  EXPECT_FALSE(Present(kLM, kT, "DefaultTTL"));
  EXPECT_FALSE(RestoreRegBackup("missing.bk").found);
}

TEST_F(Restore, DefaultsOnAnUntunedSystemWriteOnlySixValues) {
  RestoreTcpDefaults();
  platform::MemoryRegistry expected;
  std::string error;
  ASSERT_TRUE(expected.LoadRegText(
      "REGEDIT4\n[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\n"
      "\"MaxConnectionsPerServer\"=dword:0000000a\n\"MaxConnectionsPer1_0Server\"=dword:0000000a\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\ServiceProvider]\n\"LocalPriority\"=dword:000001f3\n"
      "\"HostsPriority\"=dword:000001f4\n\"DnsPriority\"=dword:000007d0\n\"NetbtPriority\"=dword:000007d1\n",
      error))
      << error;
  EXPECT_EQ(Snapshot(), expected.SaveRegText());
}

TEST_F(Restore, DefaultsUndoTheAutomaticPass) {
  SeedAdapters({"{A}"});
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Psched\\Parameters\\Adapters\\{A}]\n"
      "\"NonBestEffortLimit\"=dword:00000014\n");
  FixedPathMtu mtu(1500);
  AutoOptimizeTcp(1024, 4, progress, mtu);
  RestoreTcpDefaults();
  for (const char* name : {"TcpWindowSize", "GlobalMaxTcpWindowSize", "EnablePMTUDiscovery", "EnablePMTUBHDetect",
                           "SackOpts", "DefaultTTL", "TcpMaxDupAcks", "Tcp1323Opts"})
    EXPECT_FALSE(Present(kLM, kT, name)) << name;
  for (const char* name : {"MaxNegativeCacheTtl", "NetFailureCacheTime", "NegativeSOACacheTime"})
    EXPECT_FALSE(Present(kLM, kD, name)) << name;
  EXPECT_FALSE(Present(kLM, std::string(kInterfaces) + "{A}", "MTU"));
  EXPECT_FALSE(Present(kLM, std::string(kPsched) + "{A}", "NonBestEffortLimit"));
  EXPECT_EQ(Read(kLM, kSP, "DnsPriority"), 2000);
  EXPECT_EQ(Read(kCU, kI, "MaxConnectionsPerServer"), 10);
}

}  // namespace
}  // namespace velomar
