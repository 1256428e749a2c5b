// The automatic window's logic on the in-memory form of its layout, with
// the real passes against a memory registry and a Firefox profile tree of
// the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/AutoOptimizeWindow.h"
#include "bandwidth/LastClassFile.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/FirefoxProfiles.h"
#include "lang/Translator.h"
#include "platform/Files.h"
#include "platform/MemoryRegistry.h"
#include "platform/System.h"
#include "support/AutoRunExpectations.h"
#include "support/FirefoxFixture.h"
#include "util/DataFolder.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

using namespace auto_window;
using test::ReadFileText;
using test::WriteFileText;
using Kind = WindowEvent::Kind;

class AutoWindow : public test::FirefoxFolderTest {
 protected:
  AutoWindow() {
    // Windows finds the Firefox folder through the registry store.
    registry.Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true)
        ->SetValue("AppData", platform::RegValue::String(Root()));
    std::string error;
    EXPECT_TRUE(registry.LoadRegFile(test::DataFile(test::kAutoWindowRegFile), error)) << error;
    EXPECT_TRUE(EnsurePerUserDataFolder(error)) << error;  // as the main window does at start-up
    DesignMemoryWindow(window, AutoOptimizeLayout());
    window.SetBounds("", {100, 100, 479, 282});
    logic.Wire();
    window.OnPause([this] { DuringRun(); });
  }
  void Create() {
    logic.FormCreate();
    window.ClearEvents();
  }
  void Press() { logic.Button_AutoOptimizeClick(); }
  // A run at a class, from a freshly created window.
  void RunAt(int position) {
    Create();
    window.SetPosition(kTrackBar, position);
    Press();
  }
  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (const auto& row : window.Rows(kLog)) names.push_back(row.name);
    return names;
  }
  std::vector<int> ProgressSteps() const {
    std::vector<int> positions;
    for (const auto& e : window.Events())
      if (e.kind == Kind::Position && e.control == kProgress) positions.push_back(std::stoi(e.value));
    return positions;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const auto& e : window.Events())
      if (e.kind == Kind::Message) messages.push_back(e.value);
    return messages;
  }
  // What the user could reach while a pass waits for the display tick.
  void DuringRun() {
    if (pauses++ != 0) return;
    heldDuringRun = logic.busy && !window.Enabled(kButton) && !window.Enabled(kTrackBar) &&
                    !window.Enabled(kRecoverImage) && !window.Enabled(kRecoverLink) && !window.Enabled(kHelpLink);
    busyLookDuringRun = window.Visible(kProgress) && window.Visible(kDoing) && window.Animating(kAnimation) &&
                        window.AnimationSpeed(kAnimation) == kAnimationSpeed && !window.Visible(kStatus);
    logic.links.RecoverZoneMouseEnter();
    logic.links.HelpZoneMouseEnter();
    hoverDuringRun = window.Bold(kRecoverLink) || window.Bold(kHelpLink);
    const auto before = window.Events().size();
    logic.links.RecoverZoneClick();
    logic.links.Image_RecoverClick();
    logic.links.Label_RecoverClick();
    logic.links.HelpZoneClick();
    for (std::size_t i = before; i < window.Events().size(); ++i)
      restoreDuringRun =
          restoreDuringRun || window.Events()[i].kind == Kind::Message || window.Events()[i].kind == Kind::Help;
    if (!closeDuringRun) return;
    logic.CloseRequest();
    closedDuringRun = window.Closed();
  }

  platform::MemoryRegistry registry;
  ScopedRegistry scoped{registry};
  test::ScopedCurrentDirectory cwd{Root()};
  MemoryWindow window;
  FixedPathMtu mtu{1500};
  AutoOptimizeWindow logic{window, mtu};
  int pauses = 0;
  bool closeDuringRun = false;
  bool heldDuringRun = false, busyLookDuringRun = false, hoverDuringRun = true, restoreDuringRun = false,
       closedDuringRun = true;
};

TEST_F(AutoWindow, FirstStartShowsTheNotOptimisedTextAndTheDesignedCaptions) {
  Create();
  EXPECT_EQ(window.Text(kStatus), "Your connection has not been optimized yet.");
  EXPECT_EQ(window.Position(kTrackBar), 0);
  EXPECT_EQ(window.Text(kSpeedGroup), "  Connection speed :    56 Kbps  ");
  EXPECT_EQ(window.Text(kButton), "Optimize");
  EXPECT_EQ(logic.lastAutoClass, -1);
  EXPECT_EQ(logic.bandwidthKbps, 56);
  EXPECT_FALSE(logic.optimized);
  EXPECT_EQ(logic.shortName.size(), 11u);
  EXPECT_EQ(window.Columns(kLog), (std::vector<std::string>{"Name", "Old Value", "New Value"}));
}

TEST_F(AutoWindow, AStoredClassSetsTheSliderAndTheStatusLine) {
  struct Case {
    const char* file;
    int position;
    const char* status;
    const char* group;
  };
  const Case cases[] = {
      // Position 0 runs no change handler: the group box keeps its design.
      {"0\r\n", 0, "Your 56kbps connection has been optimized.", "  Connection speed :    56 Kbps  "},
      {"6\r\n2\r\n", 6, "Your 10Mbps connection has been optimized.", "  Connection speed :   10 Mbps  "},
      {"11\r\n", 0, "Your connection has not been optimized yet.", "  Connection speed :    56 Kbps  "},
      {"ten\r\n", 0, "Your connection has not been optimized yet.", "  Connection speed :    56 Kbps  "},
  };
  for (const auto& c : cases) {
    MemoryWindow fresh;
    DesignMemoryWindow(fresh, AutoOptimizeLayout());
    AutoOptimizeWindow created{fresh, mtu};
    created.Wire();
    WriteFileText(LastSetFilePath(), c.file);
    created.FormCreate();
    EXPECT_EQ(fresh.Position(kTrackBar), c.position) << c.file;
    EXPECT_EQ(fresh.Text(kStatus), c.status) << c.file;
    EXPECT_EQ(fresh.Text(kSpeedGroup), c.group) << c.file;
    EXPECT_EQ(created.bandwidthKbps, c.position == 6 ? 10240 : 56) << c.file;
  }
}

TEST_F(AutoWindow, AWholeRunTunesFirefoxThenTcpIpAndBecomesTheCloseButton) {
  const std::string profile = OneProfile();
  WriteFileText(In(profile, "prefs.js"), "user_pref(\"browser.startup.page\", 1);\r\n");
  closeDuringRun = true;
  RunAt(6);

  // The Firefox rows first, then the TCP/IP rows in the pass's order.
  const auto names = RowNames();
  const auto tcp = test::AutoRunRowNames();
  ASSERT_GT(names.size(), tcp.size());
  const std::size_t firefoxRows = names.size() - tcp.size();
  EXPECT_EQ(std::vector<std::string>(names.begin() + static_cast<long>(firefoxRows), names.end()), tcp);
  EXPECT_EQ(firefoxRows, test::FirefoxRowsPerProfile(10240));
  EXPECT_NE(ReadFileText(In(profile, "user.js")), "");
  EXPECT_TRUE(platform::FileExists(In(profile, "prefs.bk")));
  EXPECT_EQ(ReadRegInteger(platform::RegRoot::LocalMachine, test::AutoRunValues()[0].path, "TcpWindowSize"), 652620);
  EXPECT_TRUE(platform::FileExists(kRegistryBackup));

  // The Firefox pass moved the bar, so the TCP/IP pass starts at 52 with step 2.
  const auto steps = ProgressSteps();
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front(), 0);
  EXPECT_NE(std::find(steps.begin(), steps.end(), 54), steps.end());
  EXPECT_EQ(steps[steps.size() - 2], 54 + 50);
  EXPECT_EQ(steps.back(), kProgressEnd);
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "6\r\n");
  EXPECT_EQ(logic.lastAutoClass, 6);

  EXPECT_EQ(window.Text(kStatus), "Your 10Mbps connection has been optimized.");
  EXPECT_EQ(window.Text(kButton), "Close");
  EXPECT_EQ(window.BoundsOf("").height, kRunHeight);
  EXPECT_TRUE(logic.optimized);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(window.Visible(kNotice));
  EXPECT_EQ(window.Text(kNotice), "The changes take effect when you restart Windows.");

  // While it ran, nothing could start another run or a restore.
  EXPECT_TRUE(heldDuringRun);
  EXPECT_TRUE(busyLookDuringRun);
  EXPECT_FALSE(hoverDuringRun);
  EXPECT_FALSE(restoreDuringRun);
  EXPECT_FALSE(closedDuringRun);
  // The close asked for meanwhile comes once the run has returned.
  EXPECT_TRUE(window.Closed());

  // Afterwards the busy look is gone and every control is back.
  EXPECT_FALSE(logic.busy);
  EXPECT_FALSE(window.Visible(kProgress));
  EXPECT_FALSE(window.Animating(kAnimation));
  EXPECT_FALSE(window.Visible(kAnimation));
  EXPECT_FALSE(window.Visible(kDoing));
  EXPECT_TRUE(window.Visible(kStatus));
  for (const char* name : {kButton, kTrackBar, kRecoverImage, kRecoverLink, kHelpLink})
    EXPECT_TRUE(window.Enabled(name)) << name;
}

// Where the Firefox pass leaves the bar the TCP/IP pass takes it on: with
// the whole bar it moves by 4, after a Firefox pass that moved the bar by
// less than 52 it starts at 52 and moves by 2.
TEST_F(AutoWindow, TheTcpIpPassTakesTheBarOnWhereTheFirefoxPassLeftIt) {
  RunAt(6);
  std::vector<int> steps = ProgressSteps();
  ASSERT_GE(steps.size(), 4u);
  EXPECT_EQ(steps[1], 4);
  EXPECT_EQ(steps[steps.size() - 2], 98);

  MakeProfile("a");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=gone\n[Profile2]\nPath=b\n");
  RunAt(6);
  steps = ProgressSteps();
  const std::vector<int> start = {0, 13, 26, 52, 54, 56};
  ASSERT_GE(steps.size(), start.size());
  EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 6), start);
  EXPECT_EQ(steps[steps.size() - 2], 52 + 50);
  EXPECT_EQ(steps.back(), kProgressEnd);
}

TEST_F(AutoWindow, VistaAndLaterRunTheFirefoxPassAlone) {
  logic.vistaOrLater = true;
  const auto before = test::ReadAutoRunValues();
  const std::string profile = OneProfile();
  RunAt(3);
  EXPECT_EQ(RowNames().size(), test::FirefoxRowsPerProfile(2048));
  EXPECT_EQ(test::ReadAutoRunValues(), before);
  EXPECT_FALSE(platform::FileExists(kRegistryBackup));
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "3\r\n");
  EXPECT_EQ(window.Position(kProgress), kProgressEnd);
  EXPECT_EQ(window.Text(kNotice), "The changes take effect when you restart Firefox.");

  // Without a profile nothing changed, and nothing waits for a restart.
  std::filesystem::remove_all(std::filesystem::path(profile));
  std::filesystem::remove(std::filesystem::path(ProfilesIniPath(DataFolder())));
  RunAt(3);
  EXPECT_TRUE(RowNames().empty());
  EXPECT_EQ(window.Position(kProgress), kProgressEnd);
  EXPECT_FALSE(window.Visible(kNotice));
}

TEST_F(AutoWindow, RecoverResetsTheDefaultsAndReArmsTheButton) {
  const std::string profile = OneProfile();
  WriteFileText(In(profile, "user.js"), "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n");
  RunAt(6);
  logic.links.RecoverZoneMouseEnter();
  EXPECT_TRUE(window.Bold(kRecoverLink));
  logic.links.Image_RecoverClick();
  EXPECT_EQ(ReadRegInteger(platform::RegRoot::LocalMachine, test::AutoRunValues()[0].path, "DefaultTTL"), std::nullopt);
  EXPECT_EQ(ReadRegInteger(platform::RegRoot::LocalMachine, test::AutoRunValues()[17].path, "LocalPriority"), 499);
  EXPECT_EQ(ReadFileText(In(profile, "user.js")), "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n")
      << "Velomar's preferences go, the user's own line stays";
  EXPECT_EQ(Messages(), (std::vector<std::string>{"1\tUndo\tYour settings have been reset to the defaults."}));
  EXPECT_EQ(window.Text(kButton), "Optimize");
  EXPECT_EQ(window.Text(kStatus), "Your 10Mbps connection has been optimized.");
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "6\r\n");
}

TEST_F(AutoWindow, TheBackupRestorePutsBackTheStateBeforeTheRun) {
  const std::string profile = OneProfile();
  WriteFileText(In(profile, "prefs.js"), "user_pref(\"browser.startup.page\", 1);\r\n");
  WriteFileText(In(profile, "user.js"), "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n");
  const auto before = test::ReadAutoRunValues();
  RunAt(6);
  ASSERT_NE(test::ReadAutoRunValues(), before);
  window.ClearEvents();
  pauses = 1;                      // the hooks above are for runs
  logic.links.RecoverZoneClick();  // the hot zone over the link
  EXPECT_EQ(test::ReadAutoRunValues(), before);
  EXPECT_EQ(ReadFileText(In(profile, "user.js")), "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n");
  EXPECT_EQ(Messages(), (std::vector<std::string>{"0\t\tRecover finish!"}));
  EXPECT_EQ(window.Text(kButton), "Optimize") << "undone, the button optimises again";
  EXPECT_EQ(window.Text(kStatus), "Your earlier settings are back.");
  EXPECT_EQ(window.Text(kNotice), "The changes take effect when you restart Windows.");
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "-1\r\n") << "no class is optimised now, nor at the next start";
  logic.TrackBar_BandWidthChange();
  EXPECT_EQ(window.Text(kStatus), "Your connection has not been optimized yet.");
  // The controls were held while the Firefox restore's worker ran, and are back.
  for (const char* name : {kButton, kTrackBar, kRecoverImage, kRecoverLink, kHelpLink}) {
    const auto& events = window.Events();
    EXPECT_TRUE(std::any_of(events.begin(), events.end(), [&](const WindowEvent& e) {
      return e.kind == Kind::Enabled && e.control == name && e.value == "0";
    })) << name;
    EXPECT_TRUE(window.Enabled(name)) << name;
  }
}

TEST_F(AutoWindow, ABackupOrClassThatCannotBeWrittenIsToldBeforeTheRunEnds) {
  // A folder where the backup file should go, and no per-user data folder.
  std::filesystem::create_directory(std::filesystem::path(Root()) / kRegistryBackup);
  std::filesystem::remove_all(std::filesystem::path(PerUserDataFolder()));
  const auto before = test::ReadAutoRunValues();
  bool stillRunning = false;
  window.OnMessage([&] { stillRunning = logic.busy && window.Visible(kProgress); });
  RunAt(6);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("2\t\tThe backup of your TCP/IP settings could not be written", 0), 0u) << messages[0];
  EXPECT_NE(messages[0].find("RegBackUp.bk"), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("The chosen speed could not be remembered"), std::string::npos) << messages[0];
  EXPECT_TRUE(stillRunning);
  EXPECT_EQ(test::ReadAutoRunValues(), before) << "no value changed without its backup";
  // The run ends as ever, without claiming the class.
  EXPECT_EQ(window.Text(kStatus), "Not all settings could be changed.");
  EXPECT_EQ(window.Text(kButton), "Close");
  EXPECT_EQ(window.Position(kProgress), kProgressEnd);
  EXPECT_FALSE(window.Visible(kNotice)) << "nothing was changed, nothing waits for a restart";
}

// A user without administrator rights: every value under HKLM is refused.
TEST_F(AutoWindow, ARunAndAnUndoTheRegistryRefusesSayHowManyValuesWereNotChanged) {
  OneProfile();
  const std::string tcpip = test::AutoRunValues()[0].path;
  ASSERT_TRUE(registry.DenyFullAccess(platform::RegRoot::LocalMachine, tcpip));
  RunAt(6);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(
      messages[0].rfind("2\t\tVelomar could not change 8 of your settings; it must be run by an administrator", 0), 0u)
      << messages[0];
  EXPECT_NE(messages[0].find("\r\nHKEY_LOCAL_MACHINE" + tcpip +
                             "\\DefaultTTL: " + platform::RegErrorText(platform::kErrorAccessDenied)),
            std::string::npos)
      << messages[0];
  int notChangedRows = 0;
  for (const auto& row : window.Rows(kLog)) notChangedRows += row.newValue == "Not changed";
  EXPECT_EQ(notChangedRows, 8);
  EXPECT_EQ(window.Text(kStatus), "Not all settings could be changed.");
  EXPECT_EQ(window.Text(kNotice), "The changes take effect when you restart Windows.") << "the others were changed";
  // Undo restores only what was changed: the refused values need nothing.
  window.ClearEvents();
  logic.links.RecoverZoneClick();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"0\t\tRecover finish!"}));
}

TEST_F(AutoWindow, AnUndoTheRegistryRefusesSaysHowManyValuesWereNotPutBack) {
  OneProfile();
  RunAt(6);
  const std::string tcpip = test::AutoRunValues()[0].path;
  ASSERT_TRUE(registry.DenyFullAccess(platform::RegRoot::LocalMachine, tcpip));
  window.ClearEvents();
  logic.links.RecoverZoneClick();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind("2\t\tVelomar could not change 8 of your settings", 0), 0u)
      << "no 'Recover finish!': " << Messages()[0];
  EXPECT_EQ(window.Text(kStatus), "Not all settings could be put back.");
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "6\r\n") << "the class stays while its values do";
}

// A preview fills the log with the rows Optimize then writes, tells what
// the run would meet as the run tells it, and changes nothing: not the
// registry, not a profile's files, not the class remembered.
TEST_F(AutoWindow, APreviewShowsTheRowsOfTheRunAndChangesNothing) {
  const std::string profile = OneProfile();
  WriteFileText(In(profile, "user.js"), "user_pref(\"ui.submenuDelay\", 7);\n");
  WriteFileText(In(profile, "compatibility.ini"),
                "[Compatibility]\nLastVersion=153.8.0_20260101000000/20260101000000\n");
  std::filesystem::create_directory("RegBackUp.bk");  // the backup cannot be written
  Create();
  window.SetPosition(kTrackBar, 6);
  const std::string registryBefore = registry.SaveRegText();
  logic.Button_PreviewClick();
  const std::vector<LogRow> preview = window.Rows(kLog);
  const std::vector<std::string> told = Messages();
  EXPECT_GE(preview.size(), 24u);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("could not be written"), std::string::npos) << told[0];
  EXPECT_NE(told[0].find("\r\n\r\nFirefox 153 no longer reads "), std::string::npos) << "and what Firefox ignores";
  EXPECT_EQ(registry.SaveRegText(), registryBefore);
  EXPECT_EQ(ReadFileText(In(profile, "user.js")), "user_pref(\"ui.submenuDelay\", 7);\n");
  EXPECT_FALSE(platform::FileExists(In(profile, "user.bk")));
  EXPECT_FALSE(LoadAutoClass());
  EXPECT_FALSE(logic.optimized);
  EXPECT_EQ(window.Text(kStatus), "Preview: nothing changed yet.");
  EXPECT_EQ(window.Text(kButton), "Optimize");
  EXPECT_EQ(pauses, 0) << "a preview is not paced";

  window.SetPosition(kTrackBar, 7);
  EXPECT_EQ(window.RowCount(kLog), 0) << "moving the slider clears the preview";
  std::filesystem::remove("RegBackUp.bk");
  window.SetPosition(kTrackBar, 6);
  logic.Button_PreviewClick();
  const std::vector<LogRow> again = window.Rows(kLog);
  window.ClearEvents();
  Press();
  EXPECT_EQ(window.Rows(kLog), again) << "Optimize writes the rows the preview showed";
  EXPECT_NE(ReadFileText(In(profile, "user.js")).find("ui.submenuDelay\", 0"), std::string::npos);
}

}  // namespace
}  // namespace velomar

namespace velomar {
namespace {

// The shipped language files: English holds the designed texts, German a
// translation of every caption a user reads (the class labels stay).
TEST(AutoWindowLanguage, EnglishIsTheDesignAndGermanTranslatesEveryText) {
  const FormLayout layout = AutoOptimizeLayout();
  MemoryWindow english;
  DesignMemoryWindow(english, layout);
  ASSERT_TRUE(Translator(test::DataFile("../../Language/English.lng")).TranslateForm(auto_window::kSection, english));
  for (const auto& e : english.Events()) ADD_FAILURE() << "English.lng changes " << e.control << " to " << e.value;

  MemoryWindow german;
  DesignMemoryWindow(german, layout);
  ASSERT_TRUE(Translator(test::DataFile("../../Language/German.lng")).TranslateForm(auto_window::kSection, german));
  EXPECT_NE(german.Caption(), layout.caption);
  for (const auto& c : layout.components) {
    const bool classLabel = c.parent == auto_window::kSpeedGroup && c.kind == ComponentKind::Label;
    if (c.caption.empty() || classLabel) continue;
    EXPECT_NE(german.Text(c.name), c.caption) << c.name;
  }
  EXPECT_EQ(german.Columns(auto_window::kLog), (std::vector<std::string>{"Name", "Alter Wert", "Neuer Wert"}));
}

// The Firefox pass's part of the bar: one or two profiles fill 54 units, or
// 108 when no TCP/IP pass follows; with another number of sections each
// profile adds its share of 52 (twice that alone) after its edit.
class AutoFirefoxBudget : public test::FirefoxFolderTest {
 protected:
  int BarAfterFirefoxPass(bool tcpPassFollows) {
    MemoryWindow window;
    window.SetRange(kProgress, 0, kProgressEnd);
    WindowProgress progress(window, kPassControls);
    EXPECT_TRUE(RunFirefoxPass(1024, AutoFirefoxPlan(tcpPassFollows), progress));
    return window.Position(kProgress);
  }
};

TEST_F(AutoFirefoxBudget, OneProfileFillsFiftyFourUnitsOrAHundredAndEightAlone) {
  OneProfile();
  EXPECT_EQ(BarAfterFirefoxPass(true), 54);
  EXPECT_EQ(BarAfterFirefoxPass(false), 108);
}

TEST_F(AutoFirefoxBudget, FourSectionsOfWhichTwoResolveAddThirteenEach) {
  MakeProfile("a");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=gone\n[Profile2]\nPath=b\n");
  EXPECT_EQ(BarAfterFirefoxPass(true), 26);
  EXPECT_EQ(BarAfterFirefoxPass(false), 52);
}

TEST(AutoFirefoxSteps, TwoProfilesShareTheBarAndOtherCountsStayBelowTheTcpIpStart) {
  const auto steps = [](std::int32_t sections, bool tcpPassFollows) {
    const FirefoxProgressSteps s = AutoFirefoxSteps(sections, tcpPassFollows);
    return std::vector<std::int32_t>{s.perPreference, s.perProfile};
  };
  EXPECT_EQ(steps(3, true), (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(steps(3, false), (std::vector<std::int32_t>{2, 0}));
  EXPECT_EQ(steps(1, true), (std::vector<std::int32_t>{0, 52}));
  EXPECT_EQ(steps(5, false), (std::vector<std::int32_t>{0, 20}));
  EXPECT_EQ(steps(60, true), (std::vector<std::int32_t>{0, 0}));
  EXPECT_EQ(steps(0, true), (std::vector<std::int32_t>{0, 0})) << "no section, no share to divide";
}

}  // namespace
}  // namespace velomar
