// The Firefox undo operations take back Velomar's preference lines and
// nothing else: what the user or Firefox wrote after a pass survives, and a
// Velomar value Firefox copied into prefs.js goes back to the backup's.
#include <filesystem>

#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/PrefLines.h"
#include "firefox/PrefsEdits.h"
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
              std::string("user_pref(\"a\", 1);\r\n") + kOwnPipelining + "\r\nuser_pref(\"firefox.later\", 2);\r\n");
    EXPECT_EQ(ReadFileText(In(dir, "user.js")),
              std::string(kHomepage) + "\r\n" + kOwnDelay + "\r\nuser_pref(\"mine.later\", 1);\r\n");
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
  EXPECT_TRUE(platform::FileExists(In(dir, "user.bk.restored"))) << "the first retired the backups";
}

TEST_F(FirefoxUndo, TheCustomUndoDoesTheSameAfterBothPasses) {
  const std::string dir = UsersProfile();
  CustomPass();
  AutomaticPass();
  LaterChanges(dir);
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), ReadFileText(In(dir, "Custom_prefs.bk")))
      << "the automatic pass took prefs.js as the custom pass first saw it";
  ASSERT_TRUE(RestoreCustomFirefoxBackup());
  ExpectUndone(dir);
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

TEST_F(FirefoxUndo, AMissingBackupChangesNothingAndAMissingProfileIsNamed) {
  EXPECT_TRUE(RestoreFirefoxBackup()) << "without profiles.ini there is nothing to undo";
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

  WriteProfilesIni("[General]\n[Profile0]\nName=gone\nPath=missing\n[Profile1]\nPath=valid\n");
  WriteFileText(In(dir, "prefs.bk"), "");
  WriteFileText(In(dir, "user.bk"), "");
  FirefoxReport report;
  EXPECT_FALSE(ClearUserPrefsFile(&report));
  EXPECT_EQ(report.missingProfiles, (std::vector<std::string>{"gone (missing)"}));
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "") << "the profile after it is still reset";
  WriteFileText(In(dir, "user.js"), tuned);
  report = {};
  EXPECT_FALSE(RestoreFirefoxBackup(&report));
  EXPECT_EQ(report.missingProfiles, (std::vector<std::string>{"gone (missing)"}));
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "") << "and restored";
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "");
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
  EXPECT_EQ(ReadFileText(In(Dir("b"), "prefs.js")), std::string(kOwnPipelining) + "\n");
}

// The files real users have: a block comment that hides a preference,
// duplicates, Velomar's preferences with comments after them, a byte-order
// mark, blank lines, LF, CR LF and CR line ends, a statement over two lines,
// two statements on a line, no line end at the end.
const char* const kUsersFiles[] = {
    "user_pref(\"a.twice\", 2);\nuser_pref(\"a.twice\", 1);\n/* disabled for now:\n   user_pref(\"b.off\", 1); */\n"
    "user_pref(\"c.on\", 1);\n",
    "\xEF\xBB\xBF// my settings\r\n\r\nuser_pref(\"ui.submenuDelay\", 100); // fast menus\r\n"
    "user_pref(\"ui.submenuDelay\", 50);\r\n\r\n",
    "# mine\ruser_pref(\"network.http.max-connections\",\r  64);\ruser_pref(\"content.maxtextrun\", 1);",
    "/* user_pref(\"network.http.pipelining\", false);\n*/ user_pref(\"browser.cache.memory.capacity\", 1024); "
    "user_pref(\"x\", 'y');\n",
};

// In every order of the passes, either undo gives back user.js and prefs.js
// byte for byte, and a line the user adds after the passes survives it.
TEST_F(FirefoxUndo, EveryOrderOfPassesAndUndoGivesBackTheUsersFiles) {
  const std::string prefs = "// Mozilla User Preferences\n\nuser_pref(\"ui.submenuDelay\", 7);\n";
  const std::string later = "user_pref(\"mine.later\", 1);";
  for (const char* original : kUsersFiles) {
    for (const auto& passes : std::vector<std::string>{"a", "c", "ac", "ca"}) {
      for (const bool customUndo : {false, true}) {
        for (const bool addLater : {false, true}) {
          const std::string dir = OneProfile();
          WriteFileText(In(dir, "user.js"), original);
          WriteFileText(In(dir, "prefs.js"), prefs);
          for (const char pass : passes) pass == 'a' ? AutomaticPass() : CustomPass();
          std::string expected = original;
          if (addLater) {
            std::string user = ReadFileText(In(dir, "user.js"));
            const std::string end = user.find("\r\n") != std::string::npos ? "\r\n"
                                    : user.find('\n') != std::string::npos ? "\n"
                                                                           : "\r";
            WriteFileText(In(dir, "user.js"), user + later + end);
            if (!expected.empty() && expected.back() != '\n' && expected.back() != '\r') expected += end;
            expected += later + end;
          }
          ASSERT_TRUE(customUndo ? RestoreCustomFirefoxBackup() : RestoreFirefoxBackup());
          EXPECT_EQ(ReadFileText(In(dir, "user.js")), expected) << passes << (customUndo ? ", custom undo" : "");
          EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), prefs);
          std::filesystem::remove_all(dir);
        }
      }
    }
  }
}

// Reset takes out the lines that set Velomar's preferences, and no other.
TEST_F(FirefoxUndo, ResetLeavesCommentsAndTheUsersStatements) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "user.js"), kUsersFiles[1]);
  AutomaticPass();
  ASSERT_TRUE(ClearUserPrefsFile());
  // Firefox passes over the byte-order mark (as Firefox ESR 153 does): both
  // statements of ui.submenuDelay go, the comment and blank lines stay.
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "\xEF\xBB\xBF// my settings\r\n\r\n\r\n");
  WriteFileText(In(dir, "user.js"), kUsersFiles[3]);
  ASSERT_TRUE(ClearUserPrefsFile());
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), kUsersFiles[3]) << "a comment, and a line that sets more than one";
}

TEST(VelomarPrefLines, TheCustomPageWritesOnlyPreferencesTheUndoKnows) {
  for (int machineClass = 0; machineClass < 4; ++machineClass) {
    for (const auto& choice : CustomPrefChoices()) {
      for (const auto& item : choice.items) {
        const auto& table = item.byClass ? CustomMachineClassPrefs(machineClass) : CommonPrefs();
        const PrefEntry& entry = table[static_cast<std::size_t>(item.index)];
        EXPECT_TRUE(entry.IsEmpty() || IsVelomarPref(PrefNameOf(entry.head))) << entry.head;
      }
    }
  }
}

TEST(VelomarPrefLines, TheBackupsLinesComeBackAfterTheLinesTheyFollowedAndOtherLinesStay) {
  const PrefsFile current = PrefsFile::Parse(
      "user_pref(\"ui.submenuDelay\", 0);\n# mine\nuser_pref(\"content.maxtextrun\", 4095);\n"
      "// user_pref(\"browser.turbo.enabled\", true);\n# last\n");
  const PrefsFile backup = PrefsFile::Parse("# mine\nuser_pref(\"ui.submenuDelay\", 9);\n# last\n");
  EXPECT_EQ(WithVelomarPrefsOf(current, backup).Bytes(),
            "# mine\nuser_pref(\"ui.submenuDelay\", 9);\n// user_pref(\"browser.turbo.enabled\", true);\n# last\n");
  EXPECT_EQ(WithoutVelomarPrefs(current).Bytes(), "# mine\n// user_pref(\"browser.turbo.enabled\", true);\n# last\n")
      << "a comment that names a preference stays";
}

}  // namespace
}  // namespace velomar
