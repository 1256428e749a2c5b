// The Firefox undo operations take back Velomar's preference lines and
// nothing else: what the user or Firefox wrote after a pass survives, and a
// Velomar value Firefox copied into prefs.js goes back to the backup's.
#include <filesystem>

#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/PrefLines.h"
#include "support/FirefoxFixture.h"
#include "support/RecordedProgress.h"

namespace velomar {
namespace {

using test::ReadFileText;
using test::WriteFileText;

constexpr const char* kHomepage = "user_pref(\"browser.startup.homepage\", \"http://example.org/\");";
constexpr const char* kOwnDelay = "user_pref(\"ui.submenuDelay\", 7);";
constexpr const char* kOwnPipelining = "user_pref(\"network.http.pipelining\", false);";
// The passes here leave the bar where it is.
const FirefoxProgressPlan kStill = [](std::int32_t) { return FirefoxProgressSteps{}; };

class FirefoxUndo : public test::FirefoxFolderTest {
 protected:
  // One profile as the user had it: user.js with the homepage and a value
  // of one of Velomar's preferences, prefs.js as Firefox wrote it.
  std::string UsersProfile() {
    const std::string dir = OneProfile();
    WriteFileText(In(dir, "user.js"), std::string(kHomepage) + "\r\n" + kOwnDelay + "\r\n");
    WriteFileText(In(dir, "prefs.js"), std::string("user_pref(\"a\", 1);\r\n") + kOwnPipelining + "\r\n");
    return dir;
  }
  void AutomaticPass() { ASSERT_TRUE(RunFirefoxPass(10240, kStill, progress)); }
  void CustomPass() {
    const CustomPassInputs inputs{progress, kStill, std::vector<bool>(CustomPrefChoices().size(), true), true, 10240};
    ASSERT_TRUE(RunCustomFirefoxWalk(inputs).Optimized());
  }
  // Weeks later: a line of the user's own in user.js; Firefox has written
  // a preference of its own into prefs.js and copied two of Velomar's.
  void LaterChanges(const std::string& dir) {
    WriteFileText(In(dir, "user.js"), ReadFileText(In(dir, "user.js")) + "user_pref(\"mine.later\", 1);\r\n");
    WriteFileText(In(dir, "prefs.js"), std::string("user_pref(\"a\", 1);\r\nuser_pref(\"firefox.later\", 2);\r\n") +
                                           "user_pref(\"network.http.pipelining\", true);\r\n" +
                                           "user_pref(\"ui.submenuDelay\", 0);\r\n");
  }
  void ExpectUndone(const std::string& dir) {
    EXPECT_EQ(ReadFileText(In(dir, "prefs.js")),
              std::string("user_pref(\"a\", 1);\r\nuser_pref(\"firefox.later\", 2);\r\n") + kOwnPipelining + "\r\n");
    const std::string userJs = ReadFileText(In(dir, "user.js"));
    const Lines lines = SplitLines(userJs);
    EXPECT_EQ(lines.size(), 3u) << userJs;
    for (const char* line : {kHomepage, kOwnDelay, "user_pref(\"mine.later\", 1);"})
      EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << " in\n" << userJs;
  }

  test::RecordedProgress progress;
};

TEST_F(FirefoxUndo, TheAutomaticUndoKeepsEveryLineVelomarDidNotWrite) {
  const std::string dir = UsersProfile();
  AutomaticPass();
  LaterChanges(dir);
  FirefoxReport report;
  ASSERT_TRUE(RestoreFirefoxBackup(&report));
  EXPECT_EQ(report.profilesChanged, 1);
  ExpectUndone(dir);

  const std::string prefs = ReadFileText(In(dir, "prefs.js"));
  const std::string user = ReadFileText(In(dir, "user.js"));
  ASSERT_TRUE(RestoreFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), prefs) << "a second undo changes nothing";
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), user);
}

TEST_F(FirefoxUndo, TheCustomUndoDoesTheSameAfterBothPasses) {
  const std::string dir = UsersProfile();
  CustomPass();
  AutomaticPass();
  LaterChanges(dir);
  ASSERT_TRUE(RestoreCustomFirefoxBackup());
  ExpectUndone(dir);
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), ReadFileText(In(dir, "Custom_prefs.bk")))
      << "the automatic pass took prefs.js as the custom pass first saw it";
}

TEST_F(FirefoxUndo, ResetRemovesVelomarsPreferencesAndKeepsTheUsersOwnLines) {
  const std::string dir = UsersProfile();
  AutomaticPass();
  LaterChanges(dir);
  ASSERT_TRUE(ClearUserPrefsFile());
  const Lines lines = SplitLines(ReadFileText(In(dir, "user.js")));
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_NE(std::find(lines.begin(), lines.end(), kHomepage), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "user_pref(\"mine.later\", 1);"), lines.end());
  EXPECT_NE(ReadFileText(In(dir, "prefs.js")).find("firefox.later"), std::string::npos) << "prefs.js is not touched";
}

TEST_F(FirefoxUndo, AMissingBackupChangesNothingAndAnUnresolvedProfileStopsTheWalk) {
  const std::string dir = MakeProfile("valid");
  const std::string tuned = "user_pref(\"ui.submenuDelay\", 0);\n";
  WriteProfilesIni("[General]\n[Profile0]\nPath=valid\n");
  WriteFileText(In(dir, "user.js"), tuned);
  WriteFileText(In(dir, "prefs.js"), tuned);
  EXPECT_TRUE(RestoreFirefoxBackup());
  EXPECT_TRUE(RestoreCustomFirefoxBackup());
  EXPECT_TRUE(ClearUserPrefsFile());
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), tuned) << "not even rewritten";
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), tuned);

  WriteProfilesIni("[General]\n[Profile0]\nPath=missing\n[Profile1]\nPath=valid\n");
  WriteFileText(In(dir, "prefs.bk"), "");
  WriteFileText(In(dir, "user.bk"), "");
  EXPECT_FALSE(RestoreFirefoxBackup());
  EXPECT_FALSE(ClearUserPrefsFile());
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), tuned);
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), tuned);
}

TEST_F(FirefoxUndo, AnUnwritableTargetIsReportedAndTheWalkGoesOn) {
  std::filesystem::create_directories(std::filesystem::path(MakeProfile("a")) / "prefs.js");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=b\n");
  for (const char* name : {"a", "b"}) {
    WriteFileText(In(Dir(name), "prefs.bk"), std::string(kOwnPipelining) + "\n");
    WriteFileText(In(Dir(name), "user.bk"), "");
  }
  WriteFileText(In(Dir("b"), "prefs.js"), "user_pref(\"network.http.pipelining\", true);\n");
  FirefoxReport report;
  EXPECT_FALSE(RestoreFirefoxBackup(&report));
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find("prefs.js"), std::string::npos) << report.problems[0];
  EXPECT_EQ(ReadFileText(In(Dir("b"), "prefs.js")), std::string(kOwnPipelining) + "\r\n");
}

TEST(VelomarPrefLines, TheCustomPageWritesOnlyPreferencesTheUndoKnows) {
  const auto& heads = VelomarPrefHeads();
  for (int machineClass = 0; machineClass < 4; ++machineClass) {
    for (const auto& choice : CustomPrefChoices()) {
      for (const auto& item : choice.items) {
        const auto& table = item.byClass ? CustomMachineClassPrefs(machineClass) : CommonPrefs();
        const PrefEntry& entry = table[static_cast<std::size_t>(item.index)];
        if (entry.IsEmpty()) continue;
        EXPECT_NE(std::find(heads.begin(), heads.end(), entry.head), heads.end()) << entry.head;
      }
    }
  }
}

TEST(VelomarPrefLines, TheBackupsLinesTakeTheirPlacesAndOtherLinesStay) {
  const Lines current = {"user_pref(\"ui.submenuDelay\", 0);", "mine", "user_pref(\"content.maxtextrun\", 4095);",
                         "// user_pref(\"browser.turbo.enabled\", true);"};
  const Lines backup = {"user_pref(\"nglayout.initialpaint.delay\", 5);", "user_pref(\"ui.submenuDelay\", 9);"};
  EXPECT_EQ(WithVelomarPrefsOf(current, backup),
            (Lines{"user_pref(\"ui.submenuDelay\", 9);", "mine", "user_pref(\"nglayout.initialpaint.delay\", 5);"}))
      << "replaced in place, removed, added at the end; a line that names a preference counts as its line";
  EXPECT_EQ(WithoutVelomarPrefs(current), (Lines{"mine"}));
}

}  // namespace
}  // namespace velomar
