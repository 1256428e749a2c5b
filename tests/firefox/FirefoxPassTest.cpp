// The automatic pass and the restore on their workers, against a profile
// tree in the user's application-data folder. Also built under
// ThreadSanitizer for the hand-shake between worker and waiting thread.
#include <filesystem>
#include <stdexcept>

#include "firefox/AutoFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/PrefLines.h"
#include "platform/System.h"
#include "support/FirefoxFixture.h"
#include "support/RecordedProgress.h"

namespace velomar {
namespace {

using test::ReadFileText;
using test::WriteFileText;
// The bar as the window plans it, here by preference for any number of
// sections; the plan learns how many profiles.ini has.
FirefoxProgressPlan ByPreference(std::int32_t units, std::int32_t* sections = nullptr) {
  return [units, sections](std::int32_t count) {
    if (sections) *sections = count;
    return FirefoxProgressSteps{units, 0};
  };
}

class FirefoxPass : public test::FirefoxFolderTest {
 protected:
  bool Run(std::int32_t kbps = 1024, const FirefoxProgressPlan& plan = ByPreference(2)) {
    report = {};
    return RunFirefoxPass(kbps, plan, progress, &report);
  }
  test::RecordedProgress progress;
  FirefoxReport report;
  const FileProblems& problems = report.problems;
};

TEST_F(FirefoxPass, OneProfileMovesTheBarByPreferenceAndBacksUpFirst) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\nuser_pref(\"b\", 2);");
  WriteFileText(In(dir, "user.js"), "user_pref(\"ui.submenuDelay\", 7);\n");
  std::int32_t sections = 0;
  ASSERT_TRUE(Run(1024, ByPreference(2, &sections)));
  EXPECT_EQ(sections, 2);
  EXPECT_EQ(progress.Position(), 54) << "27 preferences";
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), "user_pref(\"a\", 1);\nuser_pref(\"b\", 2);") << "byte for byte";
  EXPECT_EQ(ReadFileText(In(dir, "user.bk")), "user_pref(\"ui.submenuDelay\", 7);\n");
  const auto memoryBig = QueryMemoryBig();
  ASSERT_TRUE(memoryBig);
  const int machineClass = MachineClassOf(*memoryBig, 1024);
  EXPECT_NE(ReadFileText(In(dir, "user.js")).find(MachineClassPrefs(machineClass)[6].Line()), std::string::npos);

  EXPECT_EQ(report.profilesChanged, 1);

  // The backups keep the files from before the first pass, whatever Firefox
  // copied into prefs.js since.
  WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 3);\n");
  progress.Clear();
  ASSERT_TRUE(Run(56, ByPreference(4)));
  EXPECT_EQ(ReadFileText(In(dir, "user.bk")), "user_pref(\"ui.submenuDelay\", 7);\n");
  EXPECT_EQ(ReadFileText(In(dir, "prefs.bk")), "user_pref(\"a\", 1);\nuser_pref(\"b\", 2);");
  EXPECT_EQ(progress.Position(), 108);
}

TEST_F(FirefoxPass, AProfileThatResolvesMovesTheBarAfterItsEdit) {
  MakeProfile("a");
  MakeProfile("b");
  WriteProfilesIni("[General]\n[Profile0]\nPath=a\n[Profile1]\nPath=gone\n[Profile2]\nPath=b\n");
  std::int32_t sections = 0;
  const auto byProfile = [&sections](std::int32_t units) -> FirefoxProgressPlan {
    return [&sections, units](std::int32_t count) {
      sections = count;
      return FirefoxProgressSteps{0, units};
    };
  };
  ASSERT_TRUE(Run(1024, byProfile(13)));
  EXPECT_EQ(sections, 4);
  EXPECT_EQ(progress.Positions(), (std::vector<int>{13, 26}));
  EXPECT_TRUE(platform::FileExists(In(Dir("a"), "user.js")));
  EXPECT_TRUE(platform::FileExists(In(Dir("b"), "user.js")));
  // There was no user.js: its backup is empty, so that undo empties the one the pass wrote.
  EXPECT_TRUE(platform::FileExists(In(Dir("a"), "user.bk")));
  EXPECT_EQ(ReadFileText(In(Dir("a"), "user.bk")), "");
  progress.Clear();
  ASSERT_TRUE(Run(1024, byProfile(26)));
  EXPECT_EQ(progress.Position(), 52);
}

TEST_F(FirefoxPass, EndsFalseAndTouchesNothingWithoutProfilesIni) {
  EXPECT_FALSE(Run());
  EXPECT_TRUE(progress.Rows().empty());
  EXPECT_TRUE(progress.Reports().empty());
}

TEST_F(FirefoxPass, AMemoryQueryWithoutAnErrorCodeEndsThePassOneWithACodeDoesNot) {
  const std::string dir = OneProfile();
  {
    platform::ScopedPhysicalMemory noAnswer({std::nullopt, 0});
    EXPECT_FALSE(Run());
    EXPECT_TRUE(progress.Reports().empty());
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
  progress.onPause = [] { throw std::runtime_error("window gone"); };
  EXPECT_FALSE(Run());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "window gone");
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

  test::RecordedProgress progress;
  ASSERT_TRUE(RunFirefoxPass(1024, ByPreference(2), progress));
  EXPECT_EQ(progress.Position(), 54);
  EXPECT_GE(progress.Rows().size(), 24u);
  EXPECT_EQ(SplitLines(ReadFileText(dir + "\\user.js")).size(), progress.Rows().size());

  WriteFileText(dir + "\\prefs.js", "user_pref(\"a\", 1);\nuser_pref(\"ui.submenuDelay\", 0);\n");
  ASSERT_TRUE(RestoreFirefoxBackup());
  EXPECT_EQ(ReadFileText(dir + "\\prefs.js"), "user_pref(\"a\", 1);\n");
  EXPECT_EQ(ReadFileText(dir + "\\user.js"), "");
}
#endif

}  // namespace
}  // namespace velomar
