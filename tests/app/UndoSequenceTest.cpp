// Undo after several passes of both modes: the recover window brings back
// the user's own settings, not those of the first pass.
#include <gtest/gtest.h>

#include "app/CustomFirefoxPage.h"
#include "app/CustomTcpPage.h"
#include "app/RecoverChoice.h"
#include "platform/MemoryRegistry.h"
#include "registry/Unit_RegOperation.h"
#include "support/FirefoxFixture.h"
#include "support/TcpFixture.h"
#include "tcp/Unit_TcpOptimize.h"
#include "window/Layout.h"
#include "window/MemoryWindow.h"
#include "window/PassView.h"

namespace velomar {
namespace {

using test::kLM;
using test::ReadFileText;
using test::WriteFileText;
constexpr const char* kTcpip = test::kT;

class Undo : public test::FirefoxFolderTest {
 protected:
  Undo() {
    // The Firefox unit finds the data folder through the store on Windows.
    registry.Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true)
        ->SetValue("AppData", platform::RegValue::String(Root()));
    WriteRegInteger(kLM, kTcpip, "DefaultTTL", 128);
    WriteRegInteger(kLM, kTcpip, "TcpWindowSize", 65536);
  }
  void AutomaticPass(std::int32_t kbps) {
    MemoryWindow window;
    window.SetRange(pass_controls::kAutomatic.progress, 0, 110);
    RunFirefoxPass(kbps, false, window);
    FixedPathMtu probe(1500);
    AutoOptimizeTcp(kbps, 4, window, probe);
  }
  void CustomPasses(const char* timeToLive) {
    CustomUnitState unit;
    MemoryWindow tcpForm;
    CustomTcpPage tcp(tcpForm, unit);
    DesignCustomTcpPage(tcpForm, tcp);
    tcp.FillSwitchCombos();
    ReadCurrentTcpSettings(tcp);
    tcpForm.SetText(custom_tcp::kTimeToLive, timeToLive);
    CustomOptimizeTcp(tcp);

    MemoryWindow firefoxForm;
    CustomFirefoxPage firefox(firefoxForm, unit);
    DesignCustomFirefoxPage(firefoxForm, firefox);
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
  const RecoverReport report = RunRecoverChoice(recover, CustomModeRestores());
  EXPECT_TRUE(report.problems.empty()) << testing::PrintToString(report.problems);
  EXPECT_EQ(RecoverMessageText(report), "Recover finish!");
  EXPECT_EQ(ReadRegInteger(kLM, kTcpip, "DefaultTTL"), 128);
  EXPECT_EQ(ReadRegInteger(kLM, kTcpip, "TcpWindowSize"), 65536);
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "user_pref(\"ui.submenuDelay\", 7);\r\n");
  // prefs.js is Firefox's own: it comes back as it was before the last pass.
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "as Firefox left it\r\n");
}

TEST(RecoverMessage, FinishedWithNotesOrTheProblemsInstead) {
  EXPECT_EQ(RecoverMessageText({}), "Recover finish!");
  EXPECT_EQ(RecoverMessageText({{}, {"restart Firefox"}}), "Recover finish!\nrestart Firefox");
  EXPECT_EQ(RecoverMessageText({{"close Firefox first", "a file"}, {"restart Firefox"}}),
            "close Firefox first\na file");
}

}  // namespace
}  // namespace velomar
