// The custom window through its real controls, in a Wine prefix of its own
// whose Windows version the ctest fixture sets (winxp64 or win10) and whose
// registry each test seeds from tests/data/registry/custom_window.reg.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/CustomFirefoxPage.h"
#include "app/CustomLayout.h"
#include "app/WindowMessages.h"
#include "firefox/FirefoxProfiles.h"
#include "forms/CustomOptimizeForm.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "registry/RegistryStore.h"
#include "support/FirefoxFixture.h"
#include "support/UiHarness.h"
#include "util/DataFolder.h"

namespace velomar {
namespace {

using namespace uitest;
using namespace custom_window;

constexpr platform::RegRoot kLM = platform::RegRoot::LocalMachine;
constexpr const char* kTcpip = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kLanman = "\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";

// What the main window hands over: the major version above 5.
bool SystemIsVistaOrLater() { return platform::WindowsMajorVersion() > 5; }

class CustomWindowUi : public test::FirefoxFolderTest {
 protected:
  CustomWindowUi() {
    EXPECT_TRUE(ImportRegistry("registry/custom_window.reg"));
    std::string error;
    EXPECT_TRUE(EnsurePerUserDataFolder(error)) << error;
    owner.Create();
    owner.Show();
    recover.Create();
  }
  ~CustomWindowUi() override {
    form.Hide();
    recover.Hide();
  }
  HWND At(const char* name) { return form.ControlHandle(name); }
  // Creates the window and shows it as the main window does, with `user`
  // acting inside its modal loop; the window closes after it.
  void ShowModalAnd(std::function<void()> user) {
    if (!form.IsCreated()) form.Create();
    form.SetVistaOrLater(SystemIsVistaOrLater());
    form.Post([this, user = std::move(user)] {
      user();
      form.Close();
    });
    form.ShowModal(owner.Handle());
  }
  void Screenshot(const std::string& name) {
    Settle();
    std::string error;
    EXPECT_TRUE(SaveScreenshot(form.Handle(), name, error)) << error;
  }
  // The Firefox rows of every tab at 5-pixel gaps, inside their tab.
  void ExpectRowsStackedInside() {
    for (const auto& tab : FirefoxRowChains()) {
      const Bounds sheet = form.BoundsOf(tab.sheet);
      for (std::size_t k = 1; k < tab.chain.size(); ++k) {
        const Bounds above = form.BoundsOf(tab.chain[k - 1]);
        EXPECT_EQ(form.BoundsOf(tab.chain[k]).y, above.y + above.height + 5) << tab.chain[k];
      }
      const Bounds last = form.BoundsOf(tab.chain.back());
      EXPECT_LE(last.y + last.height, sheet.height) << tab.sheet;
    }
  }
  std::optional<std::int32_t> Registry(const char* path, const char* name) { return ReadRegInteger(kLM, path, name); }

  test::TempFolder cwdFolder;
  test::ScopedCurrentDirectory cwd{cwdFolder.path()};
  ui::Form owner{{.className = "VelomarTestOwner", .caption = "Owner", .clientWidth = 300, .clientHeight = 200}};
  RecoverForm recover;
  CustomOptimizeForm form{recover};
  MessageBoxRecorder boxes;
};

using CustomXp = CustomWindowUi;
using CustomWin10 = CustomWindowUi;

TEST_F(CustomXp, ShowsTheRegistryAndTheCardWithoutAServiceIsLeftOut) {
  ASSERT_FALSE(SystemIsVistaOrLater()) << "the prefix runs as Windows XP";
  ShowModalAnd([&] {
    EXPECT_EQ(form.Items("ComboBox_NetAdapter"), std::vector<std::string>{"Velomar Test Ethernet"});
    EXPECT_EQ(form.ItemIndex("ComboBox_NetAdapter"), 0);
    EXPECT_EQ(form.Text("Edit_TCP_RecvWindows"), "256960");
    EXPECT_EQ(form.Text("Edit_TimeToLive"), "100");
    EXPECT_EQ(form.Text("Edit_MaxDuplicate"), "3");
    EXPECT_EQ(form.Text("Edit_MaxConnectionPerServer"), "20");
    EXPECT_EQ(form.ItemIndex("ComboBox_Selective"), 1);
    EXPECT_EQ(form.ItemIndex("ComboBox_MTU_Discovery"), 0);
    EXPECT_EQ(form.Items("ComboBox_MTU_Discovery"), (std::vector<std::string>{"Default", "Yes", "No"}));
    EXPECT_TRUE(form.Checked("CheckBox_WindowScaling"));
    EXPECT_TRUE(form.Checked("CheckBox_Timestamps"));
    // The card's MTU of 1492 checked PPPoE; unchecking puts back the text of then.
    EXPECT_EQ(form.Text("Edit_MTU"), "1492");
    EXPECT_TRUE(form.Checked("CheckBox_PPPoE"));
    ClickButton(At("CheckBox_PPPoE"));
    EXPECT_EQ(form.Text("Edit_MTU"), "1492");
    EXPECT_FALSE(form.ReadOnly("Edit_MTU"));
    EXPECT_EQ(form.ItemIndex(kMainPages), kTcpPage);
    Screenshot("custom_tcp_general");
    form.SetItemIndex(kTcpPages, 1);
    Screenshot("custom_tcp_advanced");
  });
}

TEST_F(CustomXp, PppoeAndRecommendFollowTheMtuField) {
  ShowModalAnd([&] {
    ClickButton(At("CheckBox_PPPoE"));  // off
    form.SetText("Edit_MTU", "1500");
    form.SetPosition("TrackBar_BandWidth", 2);
    EXPECT_EQ(form.Text("GroupBox_Speed"), "  Your choice : 1 Mbps  ");
    EXPECT_EQ(form.Text("Edit_TCP_RecvWindows"), "64240");
    ClickButton(At("CheckBox_PPPoE"));
    EXPECT_EQ(form.Text("Edit_MTU"), "1492");
    EXPECT_TRUE(form.ReadOnly("Edit_MTU"));
    EXPECT_EQ(form.Text("Edit_TCP_RecvWindows"), "65340");
    ClickButton(At("CheckBox_PPPoE"));
    EXPECT_EQ(form.Text("Edit_MTU"), "1500");
    EXPECT_EQ(form.Text("Edit_TCP_RecvWindows"), "64240");
    form.SetText("Edit_MTU", "576");
    ClickButton(At(kTcpRecommend));
    EXPECT_EQ(form.Text("Edit_TCP_RecvWindows"), "65392");
    EXPECT_EQ(form.Text("Edit_MTU"), "1500");
  });
}

TEST_F(CustomXp, OptimizeWritesTheEditedValuesAndTheRecoverWindowPutsThemBack) {
  bool lockedDuringPass = false;
  boxes.onBox = [&] {
    if (boxes.Boxes().size() == 1)
      lockedDuringPass = !form.Enabled("TrackBar_BandWidth") && !form.Enabled(kFirefoxOptimize) &&
                         !form.Enabled(kTcpRecommend) && !form.Enabled("Label8") && form.Visible("ProgressBar_TCP");
  };
  ShowModalAnd([&] {
    form.SetPosition("TrackBar_BandWidth", 2);
    ClickButton(At(kTcpRecommend));
    form.SetText("Edit_TimeToLive", "99");
    ClickButton(At(kTcpOptimize));
    EXPECT_TRUE(form.Optimized());
    EXPECT_TRUE(form.Enabled("TrackBar_BandWidth"));
    EXPECT_TRUE(form.Enabled(kTcpOptimize));
    EXPECT_FALSE(form.Visible("ProgressBar_TCP"));
    EXPECT_EQ(form.Position("ProgressBar_TCP"), 96);
    // The recover link opens the recover window; it restores from the backup.
    recover.Post([&] {
      ClickButton(recover.ControlHandle("RadioButton_TcpSettings"));
      ClickButton(recover.ControlHandle("Button_Recover"));
    });
    ClickAt(At("Label8"), 10, 5);
  });
  ASSERT_GE(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].title, "Optimize TCP/IP");
  EXPECT_EQ(boxes.Boxes()[0].text, MessageCatalogue().Text(custom_text::kTcpDone));
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONINFORMATION);
  EXPECT_EQ(boxes.Boxes()[1].text, "Recover finish!");
  EXPECT_TRUE(lockedDuringPass);
  // Put back in full, the backup is kept aside, never read again.
  EXPECT_FALSE(platform::FileExists(cwdFolder.File("CustomRegBackUp.bk")));
  const std::string backup = test::ReadFileText(cwdFolder.File("CustomRegBackUp.bk.restored"));
  EXPECT_NE(backup.find("DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kTcpip) + "\r\n100\r\n"),
            std::string::npos);
  EXPECT_EQ(Registry(kTcpip, "DefaultTTL"), 100) << "put back by the recover window";
  EXPECT_EQ(Registry(kTcpip, "TcpWindowSize"), 256960);
}

TEST_F(CustomXp, OptimizeWritesWhatThePageShows) {
  ShowModalAnd([&] {
    form.SetPosition("TrackBar_BandWidth", 2);
    ClickButton(At(kTcpRecommend));
    form.SetText("Edit_TimeToLive", "99");
    ClickButton(At(kTcpOptimize));
  });
  EXPECT_EQ(Registry(kTcpip, "DefaultTTL"), 99);
  EXPECT_EQ(Registry(kTcpip, "TcpWindowSize"), 65340) << "1M at the card's MTU of 1492";
  EXPECT_EQ(Registry(kLanman, "SizReqBuf"), 16384);
}

TEST_F(CustomXp, ABadNumberWritesNothingNamesTheFieldAndGivesTheControlsBack) {
  ShowModalAnd([&] {
    form.SetText("Edit_LAN_Request_Buffer", "16k");
    ClickButton(At(kTcpOptimize));
    EXPECT_FALSE(form.Optimized());
    EXPECT_TRUE(form.Enabled(kTcpOptimize));
    EXPECT_TRUE(form.Enabled("TrackBar_BandWidth"));
    EXPECT_TRUE(form.Enabled(kTcpPages));
  });
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].text.find("\"LAN request buffer (bytes)\""), std::string::npos) << boxes.Boxes()[0].text;
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONWARNING);
  EXPECT_FALSE(platform::FileExists(cwdFolder.File("CustomRegBackUp.bk")));
  EXPECT_EQ(Registry(kTcpip, "DefaultTTL"), 100);
  EXPECT_FALSE(RegValueStatus(kLM, kLanman, "SizReqBuf").Present());
}

TEST_F(CustomXp, WithoutAFirefoxProfileTheFirefoxTabStaysClosed) {
  ShowModalAnd([&] {
    EXPECT_FALSE(form.Enabled(kFirefoxCaption));
    EXPECT_FALSE(form.Enabled(kFirefoxNotSelect));
    EXPECT_FALSE(recover.Enabled("RadioButton_FirefoxSetting"));
  });
  const std::string dir = OneProfile();
  test::WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\r\n");
  ASSERT_TRUE(HasFirefoxProfileFolder());
  ShowModalAnd([&] {
    EXPECT_FALSE(form.Enabled(kFirefoxCaption));
    EXPECT_FALSE(recover.Enabled("RadioButton_FirefoxSetting"));
    EXPECT_EQ(form.ItemIndex(kMainPages), kTcpPage);
  });
}

TEST_F(CustomXp, WithAProfileEveryBoxIsCheckedAndAPassWritesUserJs) {
  const std::string dir = OneProfile();
  test::WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\r\n");
  bool lockedDuringPass = false;
  boxes.onBox = [&] {
    lockedDuringPass = !form.Enabled("TrackBar_BandWidth") && !form.Enabled(kTcpOptimize) &&
                       !form.Visible(kFirefoxRecommend) && form.Visible("ProgressBar_FF");
  };
  ShowModalAnd([&] {
    for (const auto& box : CustomPrefBoxes()) EXPECT_TRUE(form.Checked(box.checkBox)) << box.checkBox;
    ClickAt(At(kFirefoxNotSelect), 70, 50);
    EXPECT_EQ(form.ItemIndex(kMainPages), kFirefoxPage);
    EXPECT_TRUE(form.Bold(kFirefoxCaption));
    ExpectRowsStackedInside();
    const char* shots[] = {"custom_firefox_network", "custom_firefox_browser", "custom_firefox_content",
                           "custom_firefox_other"};
    for (int tab = 3; tab >= 0; --tab) {
      form.SetItemIndex(kFirefoxPages, tab);
      Screenshot(shots[tab]);
    }
    ClickAt(At("Label_N_H_MaxConection"));
    EXPECT_FALSE(form.Checked("CheckBox_N_H_MaxConection"));
    EXPECT_FALSE(form.Checked(kCheckAll));
    ClickButton(At(kFirefoxOptimize));
    EXPECT_TRUE(form.Optimized());
    EXPECT_EQ(form.Position("ProgressBar_FF"), 92) << "no user.js before";
    EXPECT_TRUE(form.Visible(kFirefoxRecommend));
    EXPECT_TRUE(form.Enabled(kTcpOptimize));
  });
  EXPECT_TRUE(lockedDuringPass);
  const std::string userJs = test::ReadFileText(In(dir, "user.js"));
  EXPECT_NE(userJs.find("network.http.pipelining"), std::string::npos);
  EXPECT_EQ(userJs.find("network.http.max-connections\""), std::string::npos) << "its box was unchecked";
}

TEST_F(CustomXp, GermanCaptionsPushTheRowsDownWithoutOverlap) {
  const std::string language = test::DataFile("../../Language/German.lng");
  platform::CreateDirectoryTree(cwdFolder.path() + "\\Language");
  test::WriteFileText(cwdFolder.path() + "\\Language\\German.lng", test::ReadFileText(language));
  platform::CreateDirectoryTree(Root() + "\\Tandrel\\Marrowcare");
  test::WriteFileText(Root() + "\\Tandrel\\Marrowcare\\Main.ini", "[Main]\r\nLanguage=German\r\n");
  const std::string dir = OneProfile();
  test::WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\r\n");
  ShowModalAnd([&] {
    EXPECT_NE(form.Text(kTcpOptimize), "Optimize TCP/IP");
    ExpectRowsStackedInside();
    Screenshot("custom_tcp_general_de");
    ClickAt(At(kFirefoxCaption));
    form.SetItemIndex(kFirefoxPages, 0);
    Screenshot("custom_firefox_network_de");
  });
}

TEST_F(CustomWin10, OnlyTheFirefoxPageIsOfferedAndTheRegistryIsNotRead) {
  ASSERT_TRUE(SystemIsVistaOrLater()) << "the prefix runs as Windows 10";
  const std::string dir = OneProfile();
  test::WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\r\n");
  ShowModalAnd([&] {
    EXPECT_FALSE(form.Enabled(kTcpCaption));
    EXPECT_FALSE(form.Enabled(kTcpNotSelect));
    EXPECT_FALSE(form.Enabled(kTcpSelect));
    EXPECT_EQ(form.ItemIndex(kMainPages), kFirefoxPage);
    EXPECT_TRUE(form.Visible(kFirefoxSelect));
    EXPECT_EQ(form.Text("Edit_TimeToLive"), "64") << "as designed: the registry holds 100";
    EXPECT_EQ(form.Text("Edit_TCP_RecvWindows"), "");
  });
}

}  // namespace
}  // namespace velomar
