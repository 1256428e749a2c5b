// The automatic pass and the restore on their workers, against a profile
// tree in the user's application-data folder. Also built under
// ThreadSanitizer for the hand-shake between worker and waiting thread.
#include <filesystem>
#include <stdexcept>

#include "platform/System.h"
#include "support/FirefoxFixture.h"
#include "window/MemoryWindow.h"
#include "window/PassView.h"

namespace velomar {
namespace {

using test::ReadFileText;
using test::WriteFileText;
constexpr const char* kStatus = pass_controls::kAutomatic.status;
constexpr const char* kProgress = pass_controls::kAutomatic.progress;
constexpr const char* kLog = pass_controls::kAutomatic.log;

class FirefoxPass : public test::FirefoxFolderTest {
 protected:
  FirefoxPass() { window.SetRange(kProgress, 0, 110); }
  bool Run(std::int32_t kbps = 1024, bool skipTcp = false) { return RunFirefoxPass(kbps, skipTcp, window, &problems); }
  MemoryWindow window;
  FileProblems problems;
};

TEST_F(FirefoxPass, OneProfileFillsFiftyFourUnitsAndBacksUpFirst) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\nuser_pref(\"b\", 2);");
  WriteFileText(In(dir, "user.js"), "user_pref(\"ui.submenuDelay\", 7);\n");
  ASSERT_TRUE(Run());
  EXPECT_EQ(window.Position(kProgress), 54);
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), "user_pref(\"a\", 1);\r\nuser_pref(\"b\", 2);\r\n");
  EXPECT_EQ(ReadFileText(In(dir, "user.bk")), "user_pref(\"ui.submenuDelay\", 7);\r\n");
  const auto memoryBig = QueryMemoryBig();
  ASSERT_TRUE(memoryBig);
  const int machineClass = MachineClassOf(*memoryBig, 1024);
  EXPECT_NE(ReadFileText(In(dir, "user.js")).find(MachineClassPrefs(machineClass)[6].Line()), std::string::npos);

  // A second pass copies prefs.js again, but user.bk keeps the user's own
  // user.js from before the first pass.
  WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 3);\n");
  window.SetPosition(kProgress, 0);
  ASSERT_TRUE(Run(56, true));
  EXPECT_EQ(ReadFileText(In(dir, "user.bk")), "user_pref(\"ui.submenuDelay\", 7);\r\n");
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), "user_pref(\"a\", 3);\r\n");
  EXPECT_EQ(window.Position(kProgress), 108);
}

TEST_F(FirefoxPass, FourSectionsOfWhichTwoResolveAddThirteenEach) {
  MakeProfile("a");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=gone\n[Profile2]\nPath=b\n");
  ASSERT_TRUE(Run());
  EXPECT_EQ(window.Position(kProgress), 26);
  EXPECT_TRUE(platform::FileExists(In(Dir("a"), "user.js")));
  EXPECT_TRUE(platform::FileExists(In(Dir("b"), "user.js")));
  // There was no user.js: its backup is empty, so that undo empties the one the pass wrote.
  EXPECT_TRUE(platform::FileExists(In(Dir("a"), "user.bk")));
  EXPECT_EQ(ReadFileText(In(Dir("a"), "user.bk")), "");
  window.SetPosition(kProgress, 0);
  ASSERT_TRUE(Run(1024, true));
  EXPECT_EQ(window.Position(kProgress), 52);
}

TEST_F(FirefoxPass, EndsFalseAndTouchesNothingWithoutProfilesIni) {
  EXPECT_FALSE(Run());
  EXPECT_EQ(window.RowCount(kLog), 0);
  EXPECT_TRUE(window.Events().empty());
}

TEST_F(FirefoxPass, AMemoryQueryWithoutAnErrorCodeEndsThePassOneWithACodeDoesNot) {
  const std::string dir = OneProfile();
  {
    platform::ScopedPhysicalMemory noAnswer({std::nullopt, 0});
    EXPECT_FALSE(Run());
    EXPECT_TRUE(window.Events().empty());
    EXPECT_FALSE(platform::FileExists(In(dir, "user.js")));
  }
  // With a reason the pass carries on, with the settings of a smaller machine.
  platform::ScopedPhysicalMemory failed({std::nullopt, 8});
  EXPECT_TRUE(Run(1024));
  EXPECT_NE(ReadFileText(In(dir, "user.js")).find(MachineClassPrefs(1)[11].Line()), std::string::npos);
}

TEST_F(FirefoxPass, AFailingProfileIsReportedAndThePassGoesOn) {
  std::filesystem::create_directories(std::filesystem::path(MakeProfile("bad")) / "user.js");
  MakeProfile("good");
  WriteProfilesIni("[General]\n[Profile0]\nPath=bad\n[Profile1]\nPath=good\n");
  EXPECT_FALSE(Run());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("user.js"), std::string::npos);
  EXPECT_TRUE(platform::FileExists(In(Dir("good"), "user.js")));
}

TEST_F(FirefoxPass, AnExceptionOnTheWorkerStillEndsTheWait) {
  OneProfile();
  window.OnPause([] { throw std::runtime_error("window gone"); });
  EXPECT_FALSE(Run());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "window gone");
}

class FirefoxRestore : public test::FirefoxFolderTest {};

TEST_F(FirefoxRestore, RestoresWhatExistsAndCanBeRepeated) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "prefs.bk"), "one\ntwo");
  WriteFileText(In(dir, "prefs.js"), "changed\r\n");
  WriteFileText(In(dir, "user.js"), "kept\r\n");
  ASSERT_TRUE(RestoreFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "one\r\ntwo\r\n");
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "kept\r\n");  // no user.bk
  ASSERT_TRUE(RestoreFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "one\r\ntwo\r\n");
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), "one\ntwo");
}

TEST_F(FirefoxRestore, AnUnresolvedProfileStopsTheWalk) {
  const std::string dir = MakeProfile("valid");
  WriteProfilesIni("[General]\n[Profile0]\nPath=missing\n[Profile1]\nPath=valid\n");
  WriteFileText(In(dir, "prefs.bk"), "backup\n");
  WriteFileText(In(dir, "prefs.js"), "current\n");
  WriteFileText(In(dir, "user.bk"), "");
  WriteFileText(In(dir, "user.js"), "user\n");
  EXPECT_FALSE(RestoreFirefoxBackup());
  EXPECT_FALSE(ClearUserPrefsFile());
  EXPECT_FALSE(RestoreCustomFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "current\n");
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "user\n");
}

TEST_F(FirefoxRestore, ClearEmptiesUserJsOnlyWhereABackupExists) {
  MakeProfile("a");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=b\n");
  WriteFileText(In(Dir("a"), "user.js"), "a\n");
  WriteFileText(In(Dir("a"), "user.bk"), "a\n");
  WriteFileText(In(Dir("b"), "user.js"), "b\n");
  ASSERT_TRUE(ClearUserPrefsFile());
  EXPECT_TRUE(platform::FileExists(In(Dir("a"), "user.js")));
  EXPECT_EQ(ReadFileText(In(Dir("a"), "user.js")), "");
  EXPECT_EQ(ReadFileText(In(Dir("a"), "user.bk")), "a\n");
  EXPECT_EQ(ReadFileText(In(Dir("b"), "user.js")), "b\n");
}

TEST_F(FirefoxRestore, CustomRestorePutsBackPrefsJsThenUserJs) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "Custom_prefs.bk"), "prefs\r");
  WriteFileText(In(dir, "Custom_user.bk"), "");
  WriteFileText(In(dir, "user.js"), "written by the custom pass\r\n");
  ASSERT_TRUE(RestoreCustomFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, "prefs.js")), "prefs\r\n");
  EXPECT_TRUE(platform::FileExists(In(dir, "user.js")));
  EXPECT_EQ(ReadFileText(In(dir, "user.js")), "");
}

TEST_F(FirefoxRestore, AnUnwritableTargetIsReportedAndTheWalkGoesOn) {
  std::filesystem::create_directories(std::filesystem::path(MakeProfile("a")) / "prefs.js");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=b\n");
  WriteFileText(In(Dir("a"), "prefs.bk"), "a\n");
  WriteFileText(In(Dir("b"), "prefs.bk"), "b\n");
  FileProblems problems;
  EXPECT_FALSE(RestoreFirefoxBackup(&problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("prefs.js"), std::string::npos);
  EXPECT_EQ(ReadFileText(In(Dir("b"), "prefs.js")), "b\r\n");
}

#ifdef _WIN32
// Without ScopedAppData: the prefix's own application-data folder, as the
// registry names it.
TEST(FirefoxInTheUsersAppData, PassAndRestoreRunThere) {
  namespace fs = std::filesystem;
  const std::string dataFolder = FindFirefoxDataFolder();
  ASSERT_FALSE(dataFolder.empty());
  if (platform::DirectoryExists(dataFolder)) GTEST_SKIP() << "left alone: " << dataFolder << " exists";
  const fs::path mozilla = fs::path(dataFolder).parent_path();
  const fs::path created = fs::exists(mozilla) ? fs::path(dataFolder) : mozilla;
  struct Cleanup {
    fs::path folder;
    ~Cleanup() {
      std::error_code ec;
      fs::remove_all(folder, ec);
    }
  } cleanup{created};
  fs::create_directories(fs::path(dataFolder) / "Profiles" / "w.default");
  WriteFileText(ProfilesIniPath(dataFolder),
                "[General]\r\nStartWithLastProfile=1\r\n[Profile0]\r\nPath=Profiles/w.default\r\n");
  const std::string dir = dataFolder + "\\Profiles/w.default";
  WriteFileText(dir + "\\prefs.js", "user_pref(\"a\", 1);\n");
  EXPECT_TRUE(IsFirefoxInstalled());
  EXPECT_TRUE(HasFirefoxProfileFolder());

  MemoryWindow window;
  window.SetRange(kProgress, 0, 110);
  ASSERT_TRUE(RunFirefoxPass(1024, false, window));
  EXPECT_EQ(window.Position(kProgress), 54);
  EXPECT_GE(window.RowCount(kLog), 24);
  EXPECT_EQ(SplitLines(ReadFileText(dir + "\\user.js")).size(), static_cast<std::size_t>(window.RowCount(kLog)));

  WriteFileText(dir + "\\prefs.js", "changed by Firefox\n");
  ASSERT_TRUE(RestoreFirefoxBackup());
  EXPECT_EQ(ReadFileText(dir + "\\prefs.js"), "user_pref(\"a\", 1);\r\n");
}
#endif

}  // namespace
}  // namespace velomar
