#include <gtest/gtest.h>

#include "app/CustomLayout.h"
#include "app/CustomTcpPage.h"
#include "bandwidth/LastClassFile.h"
#include "support/TcpFixture.h"

namespace velomar {
namespace {

using namespace velomar::test;
using namespace velomar::custom_tcp;

class Reader : public TcpFixture {
 protected:
  void SetUp() override {
    DesignMemoryWindow(window, CustomLayout());
    page.Wire();
    Seed(
        "[HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\7]\n\"Description\"=\"Card\"\n"
        "\"ServiceName\"=\"{S}\"\n");
    SeedAdapters({"{S}"});
  }
  void Show() {
    page.BuildNetworkCardList();
    page.FillSwitchCombos();
    ReadCurrentTcpSettings(page);
  }
  std::string Shown() const {
    std::string text;
    for (const auto& input : CustomTcpInputs())
      text += std::string(input.component) + "=" + page.ShownValue(input.component) + "\n";
    return text;
  }
  void WriteLastSet(const std::string& text) { WriteFileText(LastSetFilePath(), text); }

  CustomUnitState unit;
  CustomTcpPage page{window, unit};
};

TEST_F(Reader, EmptyRegistryShowsTheDefaults) {
  window.DesignChecked(kTimestamps, true);
  Show();
  EXPECT_EQ(Shown(),
            "TrackBar_BandWidth=0\nComboBox_NetAdapter=0\nCheckBox_Adapter_None=0\nCheckBox_Adapter_All=0\n"
            "Edit_MTU=1500\nCheckBox_PPPoE=0\nEdit_TCP_RecvWindows=65536\nComboBox_MTU_Discovery=0\n"
            "ComboBox_BlackHoleDetect=0\nComboBox_Selective=0\nEdit_MaxDuplicate=3\nEdit_TimeToLive=128\n"
            "CheckBox_WindowScaling=0\nCheckBox_Timestamps=1\nEdit_MaxConnectionPerServer=10\n"
            "Edit_MaxConnectionPer1_0Server=10\nEdit_LocalPriorty=5\nEdit_HostPriority=6\nEdit_DnsPriority=7\n"
            "Edit_NetbtPriority=8\nEdit_MaxNegativeCacheTTL=0\nEdit_NetFailureCacheTime=0\n"
            "Edit_NegativeSOACacheTime=0\nEdit_LAN_Request_Buffer=16384\n");
  // No last-set file: the change handler ran for the first class although the bar stood at 0.
  EXPECT_EQ(window.Text(kSpeedGroup), "  Your choice : 56 Kbps  ");
  EXPECT_EQ(unit.bandwidthKbps, 56);
}

TEST_F(Reader, PresentValuesAndTheSwitchRule) {
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"TcpWindowSize\"=dword:ffffffff\n"
      "\"EnablePMTUDiscovery\"=dword:00000005\n\"EnablePMTUBHDetect\"=dword:00000000\n\"SackOpts\"=dword:00000001\n"
      "\"DefaultTTL\"=\"64\"\n\"Tcp1323Opts\"=dword:00000003\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters]\n\"SizReqBuf\"=dword:00004000\n");
  Show();
  EXPECT_EQ(window.Text(kRecvWindow), "-1") << "shown signed";
  EXPECT_EQ(window.ItemIndex(kMtuDiscovery), 0) << "5 is neither yes nor no";
  EXPECT_EQ(window.ItemIndex(kBlackHoleDetect), 2);
  EXPECT_EQ(window.ItemIndex(kSelective), 1);
  EXPECT_EQ(window.Text(kTimeToLive), "128") << "a present value that is no number shows as a missing one";
  EXPECT_TRUE(window.Checked(kWindowScaling));
  EXPECT_TRUE(window.Checked(kTimestamps));
  EXPECT_EQ(window.Text(kLanRequestBuffer), "16384");
}

TEST_F(Reader, Tcp1323ZeroNeverUnchecks) {
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"Tcp1323Opts\"=dword:00000000\n");
  window.DesignChecked(kWindowScaling, true);
  window.DesignChecked(kTimestamps, true);
  Show();
  EXPECT_TRUE(window.Checked(kWindowScaling));
  EXPECT_TRUE(window.Checked(kTimestamps));
}

TEST_F(Reader, SelectedAdapterMtu1492ChecksPppoe) {
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{S}]\n\"MTU\"=dword:000005d4\n");
  Show();
  EXPECT_EQ(window.Text(kMtu), "1492");
  EXPECT_TRUE(window.Checked(kPppoe));
  EXPECT_TRUE(window.ReadOnly(kMtu));
  EXPECT_EQ(window.Text(kRecvWindow), "65536") << "the registry's window, not the one proposed for the class";
  // Unchecking later puts back the text the field held when the box was checked.
  window.SetChecked(kPppoe, false);
  EXPECT_EQ(window.Text(kMtu), "1492");
  EXPECT_FALSE(window.ReadOnly(kMtu));
}

TEST_F(Reader, ThePppoeBoxLeavesTheRegistrysWindowShown) {
  // Checking the box proposes the class's window at 1492 (17424 for the
  // first class); the page shows, and an unedited pass keeps, the stored one.
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"TcpWindowSize\"=dword:000493e0\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{S}]\n\"MTU\"=dword:000005d4\n");
  Show();
  ASSERT_TRUE(window.Checked(kPppoe));
  EXPECT_EQ(window.Text(kRecvWindow), "300000");
  EXPECT_EQ(window.Text(kMtu), "1492");
  EXPECT_TRUE(window.ReadOnly(kMtu));
  CustomOptimizeTcp(page);
  EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), 300000);
}

TEST_F(Reader, ValuesWithoutANumberShowAsMissingAndAreNeverWrittenBackAsOne) {
  Seed(
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"TcpWindowSize\"=dword:7fffffff\n"
      "\"DefaultTTL\"=\"abc\"\n\"Tcp1323Opts\"=\"3\"\n\"EnablePMTUDiscovery\"=hex:01\n"
      "[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{S}]\n\"MTU\"=\"1492\"\n");
  Show();
  EXPECT_EQ(window.Text(kRecvWindow), "65536");
  EXPECT_EQ(window.Text(kTimeToLive), "128");
  EXPECT_FALSE(window.Checked(kWindowScaling)) << "no number, no bits";
  EXPECT_FALSE(window.Checked(kTimestamps));
  EXPECT_EQ(window.ItemIndex(kMtuDiscovery), 0);
  EXPECT_EQ(window.Text(kMtu), "1500");
  EXPECT_FALSE(window.Checked(kPppoe));
  CustomOptimizeTcp(page);
  EXPECT_EQ(Read(kLM, kT, "DefaultTTL"), 128);
  EXPECT_EQ(Read(kLM, kT, "TcpWindowSize"), 65536);
}

TEST_F(Reader, OtherAdapterMtuLeavesPppoeAlone) {
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{S}]\n\"MTU\"=dword:00000240\n");
  Show();
  EXPECT_EQ(window.Text(kMtu), "576");
  EXPECT_FALSE(window.Checked(kPppoe));
}

TEST_F(Reader, NoSelectedCardKeepsTheMtuField) {
  registry.Clear();
  window.Design(kMtu, "1400");
  Show();
  EXPECT_EQ(window.ItemIndex(kNetAdapter), -1);
  EXPECT_EQ(window.Text(kMtu), "1400");
  window.SetText(kMtu, "");
  ReadCurrentTcpSettings(page);
  EXPECT_EQ(window.Text(kMtu), "1500") << "an empty field becomes 1500";
}

TEST_F(Reader, StoredCustomClass) {
  std::string error;
  ASSERT_TRUE(SaveCustomClass(6, error)) << error;
  Show();
  EXPECT_EQ(window.Position(kTrackBar), 6);
  EXPECT_EQ(unit.bandwidthKbps, 10240);
  EXPECT_EQ(window.Text(kRecvWindow), "65536") << "the registry's window replaces the proposal";

  // One line, or a second line out of range or not a number: the bar stays.
  for (const char* text : {"3\r\n", "3\r\n11\r\n", "3\r\n-1\r\n", "3\r\nabc\r\n", ""}) {
    window.SetPosition(kTrackBar, 2);
    WriteLastSet(text);
    ReadCurrentTcpSettings(page);
    EXPECT_EQ(window.Position(kTrackBar), 2) << text;
  }
}

}  // namespace
}  // namespace velomar
