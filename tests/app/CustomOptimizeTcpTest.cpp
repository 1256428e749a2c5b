#include <gtest/gtest.h>

#include "app/CustomLayout.h"
#include "app/CustomTcpPage.h"
#include "platform/Files.h"
#include "support/TcpFixture.h"
#include "tcp/RegBackup.h"
#include "util/Numbers.h"
#include "util/TextLines.h"

namespace velomar {
namespace {

using namespace velomar::test;
using namespace velomar::custom_tcp;

constexpr const char* kCards = "[HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";

class CustomPass : public TcpFixture {
 protected:
  // Three cards (services {S1}, {S2}, {S3}) and their adapter bindings.
  void SeedThreeCards() {
    for (int i = 1; i <= 3; ++i) {
      const std::string n = std::to_string(i);
      Seed(std::string(kCards) + n + "]\n\"Description\"=\"Card " + n + "\"\n\"ServiceName\"=\"{S" + n + "}\"\n");
    }
    SeedAdapters({"{S1}", "{S2}", "{S3}"});
  }
  // The page as the window shows it: designed, cards listed, switches filled.
  void Show() {
    DesignMemoryWindow(window, CustomLayout());
    page.Wire();
    page.BuildNetworkCardList();
    page.FillSwitchCombos();
    ReadCurrentTcpSettings(page);
    window.ClearEvents();
  }
  PassReport Run() {
    window.SetPosition(kProgress, 0);
    return CustomOptimizeTcp(page);
  }

  CustomUnitState unit;
  CustomTcpPage page{window, unit};
};

TEST_F(CustomPass, SwitchesOnItemZeroLeaveTheirValuesAlone) {
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"EnablePMTUBHDetect\"=dword:00000001\n");
  Show();
  ASSERT_EQ(window.ItemIndex(kBlackHoleDetect), 1) << "1 selects yes";
  window.SetItemIndex(kMtuDiscovery, 0);
  window.SetItemIndex(kBlackHoleDetect, 0);
  window.SetItemIndex(kSelective, 0);
  window.SetChecked(kWindowScaling, false);
  window.SetChecked(kTimestamps, false);
  Run();
  EXPECT_FALSE(Present(kLM, kT, "EnablePMTUDiscovery"));
  EXPECT_EQ(Read(kLM, kT, "EnablePMTUBHDetect"), 1);
  EXPECT_FALSE(Present(kLM, kT, "SackOpts"));
  EXPECT_EQ(Read(kLM, kT, "Tcp1323Opts"), 0) << "both boxes unchecked is written as 0";
  EXPECT_EQ(window.Position(kProgress), 96);
  EXPECT_EQ(window.PauseCount(), 24);
}

TEST_F(CustomPass, WritesThePageAsShownAndTheSwitchesAsChosen) {
  Show();
  window.SetItemIndex(kMtuDiscovery, 1);
  window.SetItemIndex(kBlackHoleDetect, 2);
  window.SetChecked(kTimestamps, true);
  window.SetText(kTimeToLive, "32");
  window.SetText(kRecvWindow, "-5");
  Run();
  EXPECT_EQ(Read(kLM, kT, "EnablePMTUDiscovery"), 1);
  EXPECT_EQ(Read(kLM, kT, "EnablePMTUBHDetect"), 0);
  EXPECT_EQ(Read(kLM, kT, "Tcp1323Opts"), 2);
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 32);
  EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), -5) << "numbers are not range-checked";
  EXPECT_EQ(Read(kLM, kT, "GlobalMaxTcpWindowSize"), -5);
  EXPECT_EQ(Read(kLM, kT, "TcpMaxDupAcks"), 3);
  EXPECT_EQ(Read(kCU, kI, "MaxConnectionsPerServer"), 10);
  EXPECT_EQ(Read(kLM, kSP, "LocalPriority"), 5);
  // Values the pass only ever overwrites.
  EXPECT_FALSE(KeyExists(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters"));
  EXPECT_FALSE(KeyExists(kLM, "\\SOFTWARE\\Policies\\Microsoft\\Windows\\Psched"));
  EXPECT_FALSE(KeyExists(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0"));
}

TEST_F(CustomPass, PresentOverwriteOnlyValuesFollowTheClass) {
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters]\n\"DefaultReceiveWindow\"=dword:00000001\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters]\n\"NegativeCacheTime\"=dword:00000001\n");
  Show();
  window.SetPosition(kTrackBar, 4);
  Run();
  EXPECT_EQ(Read(kLM, "\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters", "DefaultReceiveWindow"), 513920);
  EXPECT_FALSE(Present(kLM, kD, "NegativeCacheTime"));
}

TEST_F(CustomPass, AdapterChoice) {
  SeedThreeCards();
  Show();
  ASSERT_EQ(page.cards.size(), 3u);
  ASSERT_EQ(window.ItemIndex(kNetAdapter), 2) << "the last card listed is selected";

  // The third card selected, not all: its adapter is not one of the first two cards'.
  window.SetText(kMtu, "1400");
  Run();
  for (const char* id : {"{S1}", "{S2}", "{S3}"}) EXPECT_FALSE(KeyExists(kLM, std::string(kInterfaces) + id)) << id;

  window.SetChecked(kAdapterAll, true);
  Run();
  EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{S1}", "MTU"), 1400);
  EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{S2}", "MTU"), 1400);
  EXPECT_FALSE(KeyExists(kLM, std::string(kInterfaces) + "{S3}"));

  window.SetItemIndex(kNetAdapter, 0);
  window.SetChecked(kAdapterAll, false);
  window.SetText(kMtu, "1300");
  Run();
  EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{S1}", "MTU"), 1300);
  EXPECT_EQ(Read(kLM, std::string(kInterfaces) + "{S2}", "MTU"), 1400);
}

TEST_F(CustomPass, NoCardBoxTouchesNoAdapterAndSkipsTheMtuField) {
  SeedThreeCards();
  Show();
  window.SetChecked(kAdapterAll, true);
  window.SetChecked(kAdapterNone, true);
  EXPECT_FALSE(window.Enabled(kAdapterAll));
  window.SetText(kMtu, "not a number");
  Run();
  for (const char* id : {"{S1}", "{S2}", "{S3}"}) EXPECT_FALSE(KeyExists(kLM, std::string(kInterfaces) + id));
  EXPECT_EQ(window.Position(kProgress), 96);
  window.SetChecked(kAdapterNone, false);
  EXPECT_TRUE(window.Enabled(kAdapterAll));
  EXPECT_TRUE(window.Checked(kAdapterAll)) << "re-enabled with its check state unchanged";
}

TEST_F(CustomPass, BadNumberWritesNothingAndNamesTheField) {
  SeedThreeCards();
  Show();
  window.SetChecked(kAdapterAll, true);
  const std::string before = Snapshot();
  for (const auto& [edit, text] : std::vector<std::pair<const char*, const char*>>{
           {kMaxDuplicate, ""},
           {kLanRequestBuffer, "16k"},
           {kTimeToLive, "99999999999"},
           {kMtu, "15OO"},
           {kRecvWindow, "2147483647"}}) {  // the store's "no value", never written as a number
    const std::string good = window.Text(edit);
    window.SetText(edit, text);
    try {
      Run();
      ADD_FAILURE() << edit << " accepted";
    } catch (const ConversionError& e) {
      EXPECT_NE(std::string(e.what()).find(edit), std::string::npos) << e.what();
    }
    EXPECT_EQ(Snapshot(), before) << edit;
    EXPECT_EQ(window.Position(kProgress), 0);
    EXPECT_FALSE(platform::FileExists("CustomRegBackUp.bk"));
    window.SetText(edit, good);
  }
}

TEST_F(CustomPass, BackupHoldsWhatThePassTouches) {
  SeedThreeCards();
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"SackOpts\"=dword:00000000\n");
  Show();
  window.SetItemIndex(kNetAdapter, 0);
  window.SetItemIndex(kMtuDiscovery, 0);
  window.SetItemIndex(kBlackHoleDetect, 0);
  window.SetItemIndex(kSelective, 1);
  ASSERT_TRUE(Run().backupWritten);
  Lines lines;
  std::string error;
  ASSERT_TRUE(LoadLines("CustomRegBackUp.bk", lines, error));
  std::vector<std::string> names;
  // Records with no name stand for keys above a missing key that the pass creates.
  for (std::size_t i = 0; i < lines.size(); i += 5)
    if (!lines[i].empty()) names.push_back(lines[i]);
  EXPECT_EQ(names, (std::vector<std::string>{"TcpWindowSize", "GlobalMaxTcpWindowSize", "SackOpts", "TcpMaxDupAcks",
                                             "DefaultTTL", "Tcp1323Opts", "MaxConnectionsPerServer",
                                             "MaxConnectionsPer1_0Server", "MaxNegativeCacheTtl", "NetFailureCacheTime",
                                             "NegativeSOACacheTime", "LocalPriority", "HostsPriority", "DnsPriority",
                                             "NetbtPriority", "SizReqBuf", "MTU"}));
  EXPECT_EQ(Read(kLM, kT, "SackOpts"), 1);
  ASSERT_TRUE(RestoreRegBackup("CustomRegBackUp.bk").Complete());
  EXPECT_EQ(Read(kLM, kT, "SackOpts"), 0);
}

}  // namespace
}  // namespace velomar
