// Profiles Firefox runs with, told by the lock a second process holds as
// Firefox holds it: no pass, restore or reset writes a file of such a
// profile; each names it and goes on with the others.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "LockHolderProcess.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/ProfileLock.h"
#include "support/FirefoxFixture.h"
#include "support/RecordedProgress.h"

namespace velomar {
namespace {

using test::ReadFileText;
using test::WriteFileText;

constexpr const char* kTuned = "user_pref(\"ui.submenuDelay\", 0);\n";

class ProfileLock : public test::FirefoxFolderTest {
 protected:
  // "work" in folder a, which Firefox will run with, and "home" in b, each
  // tuned, with every backup a restore reads.
  void TwoProfilesWithBackups() {
    WriteProfilesIni("[General]\n[Profile0]\nName=work\nPath=a\n[Profile1]\nName=home\nPath=b\n");
    for (const char* name : {"a", "b"}) {
      const std::string dir = MakeProfile(name);
      WriteFileText(In(dir, "prefs.js"), kTuned);
      WriteFileText(In(dir, "user.js"), kTuned);
      WriteFileText(In(dir, "prefs.bk"), "user_pref(\"ui.submenuDelay\", 5);\n");
      WriteFileText(In(dir, "user.bk"), "");
      WriteFileText(In(dir, "Custom_prefs.bk"), "user_pref(\"ui.submenuDelay\", 6);\n");
      WriteFileText(In(dir, "Custom_user.bk"), "");
    }
  }
};

TEST_F(ProfileLock, RestoresAndResetLeaveTheRunningProfileWholeAndSaySo) {
  TwoProfilesWithBackups();
  test::LockHolderProcess firefox(Dir("a"));
  ASSERT_TRUE(firefox.Holding());
  EXPECT_TRUE(FirefoxRunsWithProfile(Dir("a")));
  EXPECT_FALSE(FirefoxRunsWithProfile(Dir("b")));

  FirefoxReport report;
  EXPECT_FALSE(ClearUserPrefsFile(&report)) << "not a success";
  EXPECT_EQ(report.leftWhileRunning, (std::vector<std::string>{"work"}));
  EXPECT_EQ(ReadFileText(In(Dir("a"), "user.js")), kTuned) << "a running Firefox would write its values back";

  report = {};
  EXPECT_FALSE(RestoreFirefoxBackup(&report));
  EXPECT_EQ(report.leftWhileRunning, (std::vector<std::string>{"work"}));
  EXPECT_TRUE(report.problems.empty()) << testing::PrintToString(report.problems);
  EXPECT_EQ(ReadFileText(In(Dir("a"), "prefs.js")), kTuned);
  EXPECT_EQ(ReadFileText(In(Dir("a"), "user.js")), kTuned);
  EXPECT_EQ(ReadFileText(In(Dir("b"), "prefs.js")), "user_pref(\"ui.submenuDelay\", 5);\n") << "the walk goes on";
  EXPECT_FALSE(platform::FileExists(In(Dir("b"), "prefs.bk"))) << "b is restored: its backups are retired";
  EXPECT_TRUE(platform::FileExists(In(Dir("a"), "prefs.bk")));

  // Gone, Firefox leaves its lock files behind; they no longer count.
  firefox.Release();
  EXPECT_FALSE(FirefoxRunsWithProfile(Dir("a")));
  report = {};
  EXPECT_TRUE(RestoreCustomFirefoxBackup(&report)) << testing::PrintToString(report.problems);
  EXPECT_EQ(ReadFileText(In(Dir("a"), "prefs.js")), "user_pref(\"ui.submenuDelay\", 6);\n");
  EXPECT_EQ(ReadFileText(In(Dir("b"), "prefs.js")), "user_pref(\"ui.submenuDelay\", 5);\n");
}

TEST_F(ProfileLock, PassesLeaveTheRunningProfileWholeAndSaySo) {
  WriteProfilesIni("[General]\n[Profile0]\nName=work\nPath=a\n");
  const std::string dir = MakeProfile("a");
  WriteFileText(In(dir, "prefs.js"), "user_pref(\"a\", 1);\n");
  test::LockHolderProcess firefox(dir);
  ASSERT_TRUE(firefox.Holding());

  test::RecordedProgress progress;
  FirefoxReport report;
  const FirefoxProgressPlan still = [](std::int32_t) { return FirefoxProgressSteps{}; };
  EXPECT_FALSE(RunFirefoxPass(1024, still, progress, &report));
  EXPECT_EQ(report.leftWhileRunning, (std::vector<std::string>{"work"}));
  const CustomPassInputs inputs{progress, still, std::vector<bool>(CustomPrefChoices().size(), true), false, 56};
  const CustomPassOutcome outcome = RunCustomFirefoxWalk(inputs);
  EXPECT_FALSE(outcome.Optimized());
  EXPECT_EQ(outcome.report.leftWhileRunning, (std::vector<std::string>{"work"}));
  for (const char* name : {"user.js", "prefs.bk", "user.bk", "Custom_prefs.bk", "Custom_user.bk"})
    EXPECT_FALSE(platform::FileExists(In(dir, name))) << name;
}

#ifndef _WIN32
TEST_F(ProfileLock, ALockLinkAloneIsJudgedByTheProcessItNames) {
  const std::string dir = MakeProfile("p");
  const std::string link = In(dir, "lock");
  const auto linkTo = [&](const std::string& target) {
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  };
  const std::string self = std::to_string(::getpid());
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string dead = std::to_string(child);

  linkTo("127.0.0.1:" + self);  // an older Firefox, without the fcntl lock
  EXPECT_TRUE(FirefoxRunsWithProfile(dir));
  linkTo("127.0.0.1:" + dead);
  EXPECT_FALSE(FirefoxRunsWithProfile(dir));
  linkTo("192.0.2.1:" + dead);  // another machine's Firefox cannot be asked
  EXPECT_TRUE(FirefoxRunsWithProfile(dir));
  linkTo("127.0.0.1:+" + self);  // its owner held the fcntl lock, which nobody holds
  EXPECT_FALSE(FirefoxRunsWithProfile(dir));
  linkTo("not a lock");
  EXPECT_FALSE(FirefoxRunsWithProfile(dir));
}
#endif

}  // namespace
}  // namespace velomar
