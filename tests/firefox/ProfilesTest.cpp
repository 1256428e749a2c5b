#include <filesystem>

#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "platform/System.h"
#include "support/FirefoxFixture.h"
#include "support/RecordedProgress.h"

namespace velomar {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::WriteFileText;

class Profiles : public test::FirefoxFolderTest {};

TEST_F(Profiles, RelativePathResolvesUnderTheDataFolder) {
  OneProfile();
  EXPECT_EQ(FindFirefoxDataFolder(), DataFolder());
  const auto list = EnumerateFirefoxProfiles(DataFolder());
  EXPECT_EQ(list.sectionCount, 2);
  ASSERT_EQ(list.profiles.size(), 1u);
  const auto& p = list.profiles[0];
  EXPECT_EQ(p.sectionIndex, 1);
  EXPECT_EQ(p.sectionName, "Profile0");
  EXPECT_EQ(p.pathValue, "Profiles/a.default");
  EXPECT_EQ(p.directory, DataFolder() + platform::PathSeparator() + "Profiles/a.default");
  EXPECT_FALSE(p.takenAsGiven);
}

// Firefox's reading: an absolute path as given, a relative one under the
// data folder, never under the current folder, whatever that holds.
TEST_F(Profiles, ARelativePathIsReadUnderTheDataFolderNeverTheCurrentOne) {
  const std::string absolute = Root() + platform::PathSeparator() + "elsewhere";
  fs::create_directories(absolute);
  MakeProfile("rel");
  test::TempFolder cwd;
  for (const char* name : {"rel", "onlyhere", "both"}) fs::create_directories(fs::path(cwd.path()) / name);
  WriteFileText(cwd.File("onlyhere") + platform::PathSeparator() + kPrefsJs, "");
  test::ScopedCurrentDirectory inCwd(cwd.path());
  WriteProfilesIni("[General]\n[Profile0]\nIsRelative=0\nPath=" + absolute +
                   "\n[Profile1]\nIsRelative=1\nPath=rel\n[Profile2]\nPath=missing\n[Profile3]\n"
                   "[Profile4]\nIsRelative=1\nPath=onlyhere\n[Profile5]\nIsRelative=0\nPath=rel\n"
                   "[Profile6]\nIsRelative=1\nPath=" +
                   absolute + "\n");
  const auto list = EnumerateFirefoxProfiles(DataFolder());
  EXPECT_EQ(list.sectionCount, 8);
  ASSERT_EQ(list.profiles.size(), 6u);
  EXPECT_EQ(list.profiles[0].directory, absolute);
  EXPECT_TRUE(list.profiles[0].takenAsGiven);
  EXPECT_EQ(list.profiles[1].directory, Dir("rel"));
  EXPECT_FALSE(list.profiles[1].takenAsGiven);
  EXPECT_FALSE(list.profiles[2].Resolved());
  EXPECT_EQ(list.profiles[2].sectionIndex, 3);
  EXPECT_FALSE(list.profiles[3].Resolved());  // only the current folder holds it
  EXPECT_FALSE(list.profiles[4].Resolved());  // Firefox reads it as absolute, which it is not
  EXPECT_EQ(list.profiles[5].directory, absolute);

  // Neither presence test is fooled by the current folder.
  WriteProfilesIni("[Profile0]\nIsRelative=1\nPath=onlyhere\n");
  EXPECT_FALSE(IsFirefoxInstalled());
  EXPECT_FALSE(HasFirefoxProfileFolder());
}

TEST_F(Profiles, TheTwoTestsDifferOnPrefsJsAndBothExamineEverySection) {
  const std::string dir = OneProfile();
  EXPECT_FALSE(IsFirefoxInstalled());  // never started: no prefs.js
  EXPECT_TRUE(HasFirefoxProfileFolder());
  WriteFileText(In(dir, "prefs.js"), "");
  EXPECT_TRUE(IsFirefoxInstalled());

  // The only profile section first, as Firefox ESR 153 writes the file.
  fs::copy(test::DataFile("firefox/esr153"), DataFolder(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  EXPECT_TRUE(IsFirefoxInstalled());
  EXPECT_TRUE(HasFirefoxProfileFolder());
  const auto list = EnumerateFirefoxProfiles(DataFolder());
  EXPECT_EQ(list.sectionCount, 2);
  ASSERT_EQ(list.profiles.size(), 1u);
  EXPECT_EQ(list.profiles[0].sectionIndex, 0);
  EXPECT_TRUE(list.profiles[0].Resolved());
}

// [Install...] and [General] name no profile, wherever they stand; a lone
// profile section is enough.
TEST_F(Profiles, TheProfileFolderTestFindsAProfileSectionAnywhere) {
  MakeProfile("p.default");
  WriteProfilesIni("[Install4F96D1932A9F858E]\nDefault=p.default\n[Profile0]\nPath=p.default\n[General]\n");
  EXPECT_TRUE(HasFirefoxProfileFolder());
  WriteProfilesIni("[Profile0]\nPath=p.default\n");
  EXPECT_TRUE(HasFirefoxProfileFolder());
  WriteProfilesIni("[General]\nStartWithLastProfile=1\n[Install4F96D1932A9F858E]\nDefault=p.default\n");
  EXPECT_FALSE(HasFirefoxProfileFolder());
  WriteProfilesIni("[Profile0]\nPath=gone.default\n");
  EXPECT_FALSE(HasFirefoxProfileFolder());
}

TEST_F(Profiles, EmptyOrMissingProfilesIniMeansNoFirefox) {
  EXPECT_FALSE(IsFirefoxInstalled());
  EXPECT_FALSE(HasFirefoxProfileFolder());
  WriteProfilesIni("");
  const auto list = EnumerateFirefoxProfiles(DataFolder());
  EXPECT_EQ(list.sectionCount, 0);
  EXPECT_TRUE(list.profiles.empty());
  EXPECT_FALSE(IsFirefoxInstalled());
  EXPECT_FALSE(HasFirefoxProfileFolder());
}

// German, Russian and Chinese: no ANSI code page holds all three.
constexpr const char* kBeyondTheCodePage = "M\xC3\xBCller \xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE5\x90\x8D";

class ProfilesBeyondTheCodePage : public test::FirefoxFolderTest {
 protected:
  ProfilesBeyondTheCodePage() : FirefoxFolderTest(kBeyondTheCodePage) {}
};

// Firefox writes profiles.ini in UTF-8; an older or hand-made one may be in
// the ANSI code page. The user's folder is named beyond it too.
TEST_F(ProfilesBeyondTheCodePage, ThePassesAndTheRestoresReachTheProfile) {
  const std::string relative = std::string("Profiles/abcd.") + kBeyondTheCodePage;
  const std::string dir = MakeProfile(relative);
  MakeProfile("Profiles/x.M\xC3\xBCller");
  WriteProfilesIni("[Profile1]\r\nName=" + std::string(kBeyondTheCodePage) + "\r\nIsRelative=1\r\nPath=" + relative +
                   "\r\n\r\n[General]\r\nStartWithLastProfile=1\r\n");
  const std::string prefsJs = "user_pref(\"a\", 1);\r\n";
  const std::string userJs = "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n";
  WriteFileText(In(dir, kPrefsJs), prefsJs);
  WriteFileText(In(dir, kUserJs), userJs);
  EXPECT_TRUE(IsFirefoxInstalled());
  EXPECT_TRUE(HasFirefoxProfileFolder());
  ASSERT_EQ(EnumerateFirefoxProfiles(DataFolder()).profiles.at(0).directory, dir);

  const FirefoxProgressPlan still = [](std::int32_t) { return FirefoxProgressSteps{}; };
  test::RecordedProgress progress;
  FirefoxReport report;
  ASSERT_TRUE(RunFirefoxPass(10240, still, progress, &report));
  EXPECT_EQ(report.profilesChanged, 1);
  EXPECT_NE(ReadFileText(In(dir, kUserJs)), userJs);
  ASSERT_TRUE(RestoreFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, kUserJs)), userJs);
  EXPECT_EQ(ReadFileText(In(dir, kPrefsJs)), prefsJs);

  const CustomPassInputs inputs{progress, still, std::vector<bool>(CustomPrefChoices().size(), true), true, 10240};
  ASSERT_TRUE(RunCustomFirefoxWalk(inputs).Optimized());
  EXPECT_NE(ReadFileText(In(dir, kUserJs)), userJs);
  ASSERT_TRUE(RestoreCustomFirefoxBackup());
  EXPECT_EQ(ReadFileText(In(dir, kUserJs)), userJs);

  // The same folder named in the ANSI code page (Windows-1252 here).
  WriteProfilesIni("[Profile0]\r\nIsRelative=1\r\nPath=Profiles/x.M\xFCller\r\n");
  EXPECT_EQ(EnumerateFirefoxProfiles(DataFolder()).profiles.at(0).directory, Dir("Profiles/x.M\xC3\xBCller"));
}

#ifndef _WIN32
TEST(FirefoxDataFolderOnLinux, ClassicFolderOnlyWhenItHoldsProfilesIni) {
  test::TempFolder home;
  test::TempFolder config;
  test::ScopedHome scopedHome(home.path());
  test::ScopedAppData scopedConfig(config.path());
  fs::create_directories(home.path() + "/.mozilla/firefox");
  EXPECT_EQ(FindFirefoxDataFolder(), config.path() + "/mozilla/firefox");
  WriteFileText(home.path() + "/.mozilla/firefox/profiles.ini", "[General]\n");
  EXPECT_EQ(FindFirefoxDataFolder(), home.path() + "/.mozilla/firefox");
}
#endif

}  // namespace
}  // namespace velomar
