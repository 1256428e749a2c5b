// Undo after several passes of both modes: the recover window brings back
// the user's own settings, not those of the first pass.
#include <gtest/gtest.h>

#include "app/AutoOptimizeWindow.h"
#include "app/CustomFirefoxPage.h"
#include "app/CustomLayout.h"
#include "app/CustomTcpPage.h"
#include "app/RecoverChoice.h"
#include "app/UndoFileOffer.h"
#include "firefox/AutoFirefoxPass.h"
#include "platform/MemoryRegistry.h"
#include "platform/System.h"
#include "registry/RegistryStore.h"
#include "support/FirefoxFixture.h"
#include "support/ShownMessages.h"
#include "support/TcpFixture.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "util/IniFile.h"
#include "window/Layout.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

using test::kLM;
using test::ReadFileText;
using test::ShownMessages;
using test::WriteFileText;
using test::WriteNumber;
constexpr const char* kTcpip = test::kT;

class Undo : public test::FirefoxFolderTest {
 protected:
  Undo() {
    // The Firefox unit finds the data folder through the store on Windows.
    registry.Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true)
        ->SetValue("AppData", platform::RegValue::String(Root()));
    WriteNumber(kLM, kTcpip, "DefaultTTL", 128);
    WriteNumber(kLM, kTcpip, "TcpWindowSize", 65536);
  }
  void AutomaticPass(std::int32_t kbps) {
    MemoryWindow window;
    window.SetRange(auto_window::kProgress, 0, auto_window::kProgressEnd);
    WindowProgress progress(window, auto_window::kPassControls);
    RunFirefoxPass(kbps, AutoFirefoxPlan(true), progress);
    FixedPathMtu probe(1500);
    AutoOptimizeTcp(kbps, auto_window::kTcpStepAlone, progress, probe);
  }
  void CustomPasses(const char* timeToLive) {
    CustomUnitState unit;
    MemoryWindow tcpForm;
    CustomTcpPage tcp(tcpForm, unit);
    DesignMemoryWindow(tcpForm, CustomLayout());
    tcp.Wire();
    tcp.FillSwitchCombos();
    ReadCurrentTcpSettings(tcp);
    tcpForm.SetText(custom_tcp::kTimeToLive, timeToLive);
    CustomOptimizeTcp(tcp);

    MemoryWindow firefoxForm;
    CustomFirefoxPage firefox(firefoxForm, unit);
    DesignMemoryWindow(firefoxForm, CustomLayout());
    firefox.Wire();
    firefox.Button_FF_RecommendedClick();
    firefox.Button_Firefox_OptimizeClick();
  }

  test::TempFolder cwdFolder;
  test::ScopedCurrentDirectory cwd{cwdFolder.path()};
  platform::MemoryRegistry registry;
  ScopedRegistry scoped{registry};
};

TEST_F(Undo, AutomaticThenCustomThenTheRecoverWindowBringBackTheUsersOwnSettings) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "user.js"), "user_pref(\"ui.submenuDelay\", 7);\r\n");
  WriteFileText(In(dir, "prefs.js"), "as Firefox left it\r\n");
  AutomaticPass(10240);
  ASSERT_EQ(ReadRegInteger(kLM, kTcpip, "DefaultTTL"), 64);
  CustomPasses("99");
  CustomPasses("77");
  ASSERT_EQ(ReadRegInteger(kLM, kTcpip, "DefaultTTL"), 77);

  MemoryWindow recover;
  DesignMemoryWindow(recover, RecoverLayout());
  const RestoreOutcome outcome = RunRecoverChoice(recover, CustomModeRestores());
  EXPECT_TRUE(outcome.Complete()) << testing::PrintToString(outcome.firefox.problems);
  EXPECT_EQ(RecoverMessageText(MessageCatalogue(), outcome), "Recover finish!");
  EXPECT_EQ(ReadRegInteger(kLM, kTcpip, "DefaultTTL"), 128);
  EXPECT_EQ(ReadRegInteger(kLM, kTcpip, "TcpWindowSize"), 65536);
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "user_pref(\"ui.submenuDelay\", 7);\r\n");
  // prefs.js is Firefox's own: the passes did not touch it, nor does the undo.
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "as Firefox left it\r\n");
}

// The automatic window's Undo after a custom run gives back what the custom
// run deleted, which the automatic run never saw; and once all is back, the
// next run's Undo gives back what the user set in between.
TEST_F(Undo, TheAutomaticUndoGivesBackWhatEitherModeChangedFirstAndOnlyOnce) {
  OneProfile();
  constexpr const char* kDns = "\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters";
  WriteNumber(kLM, kDns, "NegativeCacheTime", 300);
  MemoryWindow window;
  DesignMemoryWindow(window, AutoOptimizeLayout());
  FixedPathMtu mtu(1500);
  AutoOptimizeWindow automatic(window, mtu);
  automatic.Wire();
  automatic.FormCreate();

  CustomPasses("99");
  AutomaticPass(10240);
  const RegValueSnapshot deleted = RegValueStatus(kLM, kDns, "NegativeCacheTime");
  ASSERT_TRUE(deleted.keyExists && !deleted.Present());
  automatic.links.RecoverZoneClick();
  EXPECT_EQ(ReadRegInteger(kLM, kDns, "NegativeCacheTime"), 300);
  EXPECT_EQ(ReadRegInteger(kLM, kTcpip, "DefaultTTL"), 128);

  WriteNumber(kLM, kTcpip, "DefaultTTL", 90);
  AutomaticPass(10240);
  automatic.links.RecoverZoneClick();
  EXPECT_EQ(ReadRegInteger(kLM, kTcpip, "DefaultTTL"), 90);
}

// The recover window offers the file for regedit that velomar-cli
// undo-file writes, proposed in the user's documents, and says which keys
// it cannot remove.
TEST_F(Undo, TheRecoverWindowSavesTheUndoFileForRegedit) {
  MemoryWindow recover;
  DesignMemoryWindow(recover, RecoverLayout());
  RecoverWindow logic(recover, CustomModeRestores());
  logic.Wire();
  recover.AnswerSaveDialogs(std::nullopt);
  recover.Fire(recover_controls::kUndoFileButton, Event::Click);
  EXPECT_EQ(ShownMessages(recover).back().text, MessageCatalogue().Text(undo_file_text::kNothingToUndo));

  registry.DeleteKeyTree(platform::RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Dnscache");
  AutomaticPass(10240);
  recover.ClearEvents();
  recover.Fire(recover_controls::kUndoFileButton, Event::Click);  // and cancelled
  ASSERT_EQ(recover.Events().size(), 1u);
  EXPECT_EQ(recover.Events()[0].value,
            "Save the undo file for regedit\t" + platform::DocumentsFolder() + "\tvelomar-undo.reg");

  const std::string chosen = cwdFolder.File("chosen.reg");
  recover.AnswerSaveDialogs(chosen);
  recover.Fire(recover_controls::kUndoFileButton, Event::Click);
  std::string expected, error;
  ASSERT_TRUE(UndoRegText({"RegBackUp.bk", "CustomRegBackUp.bk"}, expected, error)) << error;
  EXPECT_EQ(ReadFileText(chosen), expected);
  const std::string told = ShownMessages(recover).back().text;
  EXPECT_EQ(told.rfind(MessageCatalogue().Text(undo_file_text::kSaved) + "\r\n" + chosen, 0), 0u) << told;
  EXPECT_NE(told.find("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters"),
            std::string::npos)
      << "a key the pass created is named: " << told;
}

// The recover window speaks in the custom window's words: the finished
// text, or, when something was not put back, what.
TEST(RecoverMessage, FinishedOrWhatWasNotPutBackInstead) {
  const MessageCatalogue recover(
      std::make_shared<IniFile>(IniFile::Parse("[Velomar_Custom]\n"
                                               "Label_Recover_Finish.Caption=Fertig!\n"
                                               "Label_Firefox_Profiles_Missing.Caption=Ordner fehlen:\n"
                                               "Label_Firefox_Running.Caption=Firefox schliessen:\n"
                                               "Label_Not_Changed.Caption=%d nicht geaendert:\n")),
      custom_window::kSection);

  RestoreOutcome outcome;
  EXPECT_EQ(RecoverMessageText(recover, outcome), "Fertig!");
  outcome.firefox.leftWhileRunning = {"work"};
  outcome.firefox.missingProfiles = {"home"};
  outcome.registry.changes.notChanged = {{kLM, kTcpip, "DefaultTTL", {platform::kErrorAccessDenied}}};
  EXPECT_EQ(RecoverMessageText(recover, outcome),
            "1 nicht geaendert:\r\nHKEY_LOCAL_MACHINE" + std::string(kTcpip) +
                "\\DefaultTTL: " + platform::RegErrorText(platform::kErrorAccessDenied) +
                "\r\n\r\nFirefox schliessen:\r\nwork\r\n\r\nOrdner fehlen:\r\nhome");

  // All is back, but a backup that keeps its name would be put back again.
  RestoreOutcome kept;
  kept.registry.retireError = "\"RegBackUp.bk\" could not be renamed";
  EXPECT_EQ(RecoverMessageText(recover, kept),
            "Fertig!\r\n\r\nThese files could not be read or written:\r\n\"RegBackUp.bk\" could not be renamed");
}

}  // namespace
}  // namespace velomar
