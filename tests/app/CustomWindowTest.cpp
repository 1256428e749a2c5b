#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/CustomLayout.h"
#include "app/CustomWindow.h"
#include "platform/Files.h"
#include "support/FirefoxFixture.h"
#include "support/ShownMessages.h"
#include "support/TcpFixture.h"
#include "util/IniFile.h"

namespace velomar {
namespace {

using namespace velomar::test;
using namespace velomar::custom_window;

class Custom : public TcpFixture {
 protected:
  void SetUp() override {
    DesignCustomWindow(window, logic);
    logic.FormCreate();
    window.ClearEvents();
  }
  CustomWindowServices Services() {
    CustomWindowServices s;
    s.hasFirefoxProfileFolder = [this] { return hasFirefox; };
    s.restoreDefaults = [this] {
      ++defaultsRestored;
      return defaultsOutcome;
    };
    s.showRecoverWindow = [this] { ++recoverShown; };
    s.disableRecoverFirefox = [this] { ++recoverFirefoxDisabled; };
    return s;
  }
  bool hasFirefox = true;
  int defaultsRestored = 0;
  RestoreOutcome defaultsOutcome;
  int recoverShown = 0;
  int recoverFirefoxDisabled = 0;
  CustomWindow logic{window, Services()};
};

TEST_F(Custom, ShowingReadsTheRegistryAndSelectsTheTcpTabEachTime) {
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n\"DefaultTTL\"=dword:00000063\n");
  logic.FormShow();
  EXPECT_EQ(window.Text("Edit_TimeToLive"), "99");
  EXPECT_TRUE(window.Checked("CheckBox_O_D_DWSC")) << "a profile folder: every box checked";
  EXPECT_EQ(window.ItemIndex(kMainPages), kTcpPage);

  logic.Label_Firefox_SettingsClick();
  EXPECT_EQ(window.ItemIndex(kMainPages), kFirefoxPage);
  EXPECT_TRUE(window.Visible(kFirefoxSelect));
  EXPECT_FALSE(window.Visible(kTcpSelect));
  logic.FormShow();
  EXPECT_EQ(window.ItemIndex(kMainPages), kTcpPage);
  EXPECT_TRUE(window.Visible(kTcpSelect)) << "the pictures name the page shown";
  EXPECT_FALSE(window.Visible(kFirefoxSelect));
  EXPECT_TRUE(window.Bold(kTcpCaption));
  EXPECT_FALSE(window.Bold(kFirefoxCaption));
}

TEST_F(Custom, HoverEmboldensOnlyTheOtherTab) {
  logic.FormShow();
  logic.Label_TCP_SettingsMouseLeave();
  EXPECT_TRUE(window.Bold(kTcpCaption)) << "the chosen tab is left alone";
  logic.Label_Firefox_SettingsMouseEnter();
  EXPECT_TRUE(window.Bold(kFirefoxCaption));
  logic.Label_Firefox_SettingsMouseLeave();
  EXPECT_FALSE(window.Bold(kFirefoxCaption));
  window.SetEnabled(kFirefoxNotSelect, false);
  logic.Label_Firefox_SettingsMouseEnter();
  EXPECT_FALSE(window.Bold(kFirefoxCaption));
}

TEST_F(Custom, WithoutFirefoxOrOnNewerWindowsTheirTabsStayClosed) {
  hasFirefox = false;
  logic.vistaOrLater = true;
  logic.FormShow();
  EXPECT_FALSE(window.Enabled(kFirefoxCaption));
  EXPECT_FALSE(window.Enabled(kFirefoxNotSelect));
  EXPECT_EQ(recoverFirefoxDisabled, 1);
  EXPECT_FALSE(window.Enabled(kTcpCaption));
  EXPECT_FALSE(window.Enabled(kTcpSelect));
  EXPECT_EQ(window.ItemIndex(kMainPages), kFirefoxPage);
  EXPECT_EQ(window.Text("Edit_TimeToLive"), "64") << "the registry is not read";
  EXPECT_FALSE(window.Checked("CheckBox_O_D_DWSC"));
}

TEST_F(Custom, ThePassLocksEverythingAndGivesBackWhatWasEnabled) {
  hasFirefox = false;
  logic.FormShow();
  std::map<std::string, bool> duringPass;
  window.OnPause([&] {
    for (const char* name : {"TrackBar_BandWidth", kTcpRecommend, kFirefoxRecommend, kFirefoxOptimize, kTcpCaption,
                             kTcpNotSelect, "Label8", "Label13", "Image_Help", kTcpPages, kTcpOptimize})
      duringPass[name] = window.Enabled(name);
    EXPECT_TRUE(logic.unit.busy);
  });
  logic.Button_TCP_OptimizeClick();
  for (const auto& [name, enabled] : duringPass) EXPECT_FALSE(enabled) << name;
  EXPECT_FALSE(logic.unit.busy);
  EXPECT_TRUE(logic.unit.optimized);
  for (const char* name : {"TrackBar_BandWidth", kTcpRecommend, kFirefoxOptimize, "Label8", kTcpPages, kTcpOptimize})
    EXPECT_TRUE(window.Enabled(name)) << name;
  EXPECT_FALSE(window.Enabled(kFirefoxCaption)) << "closed before the pass, closed after it";
  EXPECT_FALSE(window.Visible("ProgressBar_TCP"));
  ASSERT_EQ(ShownMessages(window).size(), 1u);
  EXPECT_EQ(ShownMessages(window)[0].title, "Optimize TCP/IP");
  EXPECT_EQ(ShownMessages(window)[0].icon, MessageIcon::Information);
  EXPECT_TRUE(platform::FileExists(folder.File("CustomRegBackUp.bk")));
}

// A user without administrator rights: the finished message would lie.
TEST_F(Custom, APassTheRegistryRefusesSaysSoInsteadOfFinished) {
  Seed("[HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n");
  ASSERT_TRUE(registry.DenyFullAccess(platform::RegRoot::LocalMachine, kT));
  logic.FormShow();
  logic.Button_TCP_OptimizeClick();  // the three switches on "Default" leave their values alone
  const auto shown = ShownMessages(window);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(shown[0].text.rfind("Velomar could not change 5 of your settings; it must be run by an administrator", 0),
            0u)
      << shown[0].text;
  EXPECT_NE(shown[0].text.find("\\DefaultTTL: " + platform::RegErrorText(platform::kErrorAccessDenied)),
            std::string::npos)
      << shown[0].text;
}

// The backup lives in the folder Velomar was started from; where it cannot
// be written, the pass changes nothing and says where it should have gone.
TEST_F(Custom, APassWhoseBackupCannotBeWrittenChangesNothingAndSaysWhere) {
  ASSERT_TRUE(platform::CreateDirectoryTree(folder.File("CustomRegBackUp.bk")));
  logic.FormShow();
  const std::string before = Snapshot();
  logic.Button_TCP_OptimizeClick();
  EXPECT_EQ(Snapshot(), before);
  const auto shown = ShownMessages(window);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(
      shown[0].text.rfind("The backup of your TCP/IP settings could not be written, so none of them was changed.", 0),
      0u)
      << shown[0].text;
  EXPECT_NE(shown[0].text.find(folder.File("CustomRegBackUp.bk")), std::string::npos) << shown[0].text;
}

TEST_F(Custom, ABadNumberIsNamedByItsLabelAndNothingIsWritten) {
  logic.FormShow();
  const std::string before = Snapshot();
  window.SetText("Edit_MaxConnectionPer1_0Server", "ten");
  logic.Button_TCP_OptimizeClick();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(platform::FileExists(folder.File("CustomRegBackUp.bk")));
  EXPECT_FALSE(logic.unit.optimized);
  ASSERT_EQ(ShownMessages(window).size(), 1u);
  EXPECT_EQ(ShownMessages(window)[0].text,
            "Please enter a whole number in the field \"HTTP 1.0 servers\". Nothing has been changed.");
  EXPECT_EQ(ShownMessages(window)[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(window.Enabled(kTcpOptimize));

  // A translation without the place holder.
  logic.unit.messages = MessageCatalogue(
      std::make_shared<IniFile>(IniFile::Parse("[Custom]\nLabel_Not_A_Number.Caption=Keine Zahl:\n")), "Custom");
  window.SetText("Edit_MaxConnectionPer1_0Server", "10");
  window.SetText("Edit_TimeToLive", "");
  logic.Button_TCP_OptimizeClick();
  EXPECT_EQ(ShownMessages(window).back().text, "Keine Zahl: (Time to live)");
}

TEST_F(Custom, TheRecoverLinkOpensTheRecoverWindowAndTheZonesWaitForThePass) {
  logic.links.RecoverZoneClick();
  EXPECT_EQ(recoverShown, 1);
  EXPECT_EQ(defaultsRestored, 0);
  logic.links.Image_RecoverClick();
  EXPECT_EQ(defaultsRestored, 1);
  EXPECT_EQ(ShownMessages(window).back().text, "The default settings have been restored.");
  EXPECT_EQ(ShownMessages(window).back().title, "Recover");
  defaultsOutcome.firefox.problems = {"Cannot write \"user.js\""};
  logic.links.Image_RecoverClick();
  EXPECT_EQ(ShownMessages(window).back().text, "These files could not be read or written:\r\nCannot write \"user.js\"")
      << "what could not be reset, instead of the finished message";
  EXPECT_EQ(ShownMessages(window).back().icon, MessageIcon::Warning);
  logic.unit.busy = true;
  logic.links.RecoverZoneClick();
  logic.links.HelpZoneClick();
  logic.links.RecoverZoneMouseEnter();
  EXPECT_EQ(recoverShown, 1);
  EXPECT_FALSE(window.Bold("Label_Recover"));
  logic.links.Label_RecoverMouseEnter();
  EXPECT_TRUE(window.Bold("Label_Recover"));
}

TEST_F(Custom, TallerCaptionsPushTheRowsDownAndTheWindowGrowsWhenATabOverflows) {
  const Bounds frame = window.BoundsOf("");
  const Bounds optimize = window.BoundsOf(kFirefoxOptimize);
  Bounds intro = window.BoundsOf("Label_B_T_enabled_Introduce");
  intro.height = 40;  // a caption that wrapped to three lines
  window.SetBounds("Label_B_T_enabled_Introduce", intro);
  StackFirefoxRows(window);
  EXPECT_EQ(window.BoundsOf("CheckBox_B_Display_SIP").y, intro.y + 40 + 5);
  EXPECT_EQ(window.BoundsOf("").height, frame.height) << "the browser tab still fits";

  Bounds network = window.BoundsOf("Label_N_H_Pipelining_Introduce");
  network.height = 100;
  window.SetBounds("Label_N_H_Pipelining_Introduce", network);
  StackFirefoxRows(window);
  const Bounds last = window.BoundsOf("Label_N_H_PersistentConnections_PerServer_Introduce");
  const Bounds sheet = window.BoundsOf("TabSheet_FF_Network");
  EXPECT_EQ(last.y + last.height + 6, sheet.height) << "the tab grew to its rows";
  const int grown = window.BoundsOf("").height - frame.height;
  EXPECT_GT(grown, 0);
  EXPECT_EQ(window.BoundsOf(kFirefoxOptimize).y, optimize.y + grown);
  EXPECT_EQ(window.BoundsOf(kTcpPages).height, 356 + grown) << "both pages keep one height";
  EXPECT_EQ(window.BoundsOf(custom_firefox_page::kMaxConnectionLabel).y,
            window.BoundsOf(custom_firefox_page::kMaxConnectionBox).y + 2);
}

TEST_F(Custom, TheLanguageFilesCoverEveryDesignedCaption) {
  for (const char* language : {"English", "German"}) {
    IniFile ini;
    std::string error;
    ASSERT_TRUE(IniFile::Load(DataFile(std::string("../../Language/") + language + ".lng"), ini, error,
                              IniFile::Encoding::Ansi))
        << error;
    for (const auto& c : CustomLayout().components) {
      if (c.caption.empty() || c.kind == ComponentKind::Edit) continue;
      const std::string key = c.name + ".Caption";
      const std::string text = ini.ReadString("Velomar_Custom", key, "<missing>");
      EXPECT_NE(text, "<missing>") << language << ": " << key;
      if (std::string(language) == "English") {
        EXPECT_EQ(text, c.caption) << key;
      }
    }
  }
}

}  // namespace
}  // namespace velomar

namespace velomar {
namespace {

// The expert mode on a profile tree a current Firefox made: its profile
// section comes before [General], and the Firefox page opens for it.
class CustomWithFirefox : public test::FirefoxFolderTest {
 protected:
  CustomWithFirefox() {
    // Windows finds the Firefox folder through the registry store.
    registry.Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true)
        ->SetValue("AppData", platform::RegValue::String(Root()));
    DesignCustomWindow(window, logic);
  }
  platform::MemoryRegistry registry;
  ScopedRegistry scoped{registry};
  MemoryWindow window;
  CustomWindow logic{window, SystemCustomServices()};
};

TEST_F(CustomWithFirefox, TheFirefoxPageOpensForAProfilesIniInFirefoxsOrder) {
  MakeProfile("2amm8bje.default");
  WriteProfilesIni(
      "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=2amm8bje.default\r\n\r\n"
      "[General]\r\nStartWithLastProfile=1\r\nVersion=2\r\n");
  logic.FormCreate();
  logic.FormShow();
  EXPECT_TRUE(window.Enabled(custom_window::kFirefoxCaption));
  EXPECT_TRUE(window.Enabled(custom_window::kFirefoxNotSelect));
  EXPECT_TRUE(window.Checked("CheckBox_O_D_DWSC")) << "the recommended boxes are checked";
  logic.Label_Firefox_SettingsClick();
  EXPECT_EQ(window.ItemIndex(custom_window::kMainPages), custom_window::kFirefoxPage);
}

}  // namespace
}  // namespace velomar
