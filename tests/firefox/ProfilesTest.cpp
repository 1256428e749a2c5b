#include <filesystem>

#include "firefox/FirefoxProfiles.h"
#include "platform/System.h"
#include "support/FirefoxFixture.h"

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

TEST_F(Profiles, AbsolutePathAndCurrentDirectoryReadingAreTakenAsGiven) {
  const std::string absolute = Root() + platform::PathSeparator() + "elsewhere";
  fs::create_directories(absolute);
  MakeProfile("rel");
  test::TempFolder cwd;
  fs::create_directories(fs::path(cwd.path()) / "rel");
  test::ScopedCurrentDirectory inCwd(cwd.path());
  WriteProfilesIni("[General]\n[Profile0]\nPath=" + absolute +
                   "\n[Profile1]\nPath=rel\n[Profile2]\nPath=missing\n[Profile3]\n");
  const auto list = EnumerateFirefoxProfiles(DataFolder());
  EXPECT_EQ(list.sectionCount, 5);
  ASSERT_EQ(list.profiles.size(), 3u);
  EXPECT_EQ(list.profiles[0].directory, absolute);
  EXPECT_TRUE(list.profiles[0].takenAsGiven);
  EXPECT_EQ(list.profiles[1].directory, "rel");  // the current directory's reading wins
  EXPECT_TRUE(list.profiles[1].takenAsGiven);
  EXPECT_FALSE(list.profiles[2].Resolved());
  EXPECT_EQ(list.profiles[2].sectionIndex, 3);
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
