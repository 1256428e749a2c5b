#pragma once
// A Firefox data folder of the test's own: the per-user application-data
// folder points into a temporary folder (on Windows through the registry's
// shell folders, as the program reads it; natively through XDG_CONFIG_HOME,
// with HOME moved too so that no real ~/.mozilla is found).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "firefox/FirefoxProfiles.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/TestSupport.h"

namespace velomar::test {

class ScopedHome {
 public:
  explicit ScopedHome(const std::string& folder) {
#ifndef _WIN32
    if (const char* old = std::getenv("HOME")) previous_ = old;
    setenv("HOME", folder.c_str(), 1);
#else
    (void)folder;
#endif
  }
  ~ScopedHome() {
#ifndef _WIN32
    if (previous_)
      setenv("HOME", previous_->c_str(), 1);
    else
      unsetenv("HOME");
#endif
  }

 private:
  std::optional<std::string> previous_;
};

class FirefoxFolderTest : public ::testing::Test {
 protected:
  FirefoxFolderTest() : FirefoxFolderTest("") {}
  // The user's folder (the application-data folder) is `userFolder` inside
  // the test's own, or that folder itself.
  explicit FirefoxFolderTest(const std::string& userFolder)
      : user_(userFolder.empty() ? root_.path() : platform::JoinPath(root_.path(), userFolder)),
        home_(user_),
        appData_(user_),
#ifdef _WIN32
        dataFolder_(user_ + "\\Mozilla\\Firefox")
#else
        dataFolder_(user_ + "/mozilla/firefox")
#endif
  {
    platform::CreateDirectoryTree(dataFolder_);
  }

  const std::string& DataFolder() const { return dataFolder_; }
  std::string Root() const { return user_; }
  std::string Dir(const std::string& relative) const { return FirefoxPath(dataFolder_, relative); }
  std::string MakeProfile(const std::string& relative) const {
    const std::string dir = Dir(relative);
    std::filesystem::create_directories(FsPath(dir));
    return dir;
  }
  void WriteProfilesIni(const std::string& text) const { WriteFileText(ProfilesIniPath(dataFolder_), text); }
  // [General] and one profile at Profiles/a.default; returns its folder.
  std::string OneProfile() const {
    WriteProfilesIni(
        "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=a\r\nIsRelative=1\r\nPath=Profiles/"
        "a.default\r\n");
    return MakeProfile("Profiles/a.default");
  }
  static std::string In(const std::string& dir, const std::string& name) { return FirefoxPath(dir, name); }

 private:
  TempFolder root_;
  std::string user_;
  ScopedHome home_;
  ScopedAppData appData_;
  std::string dataFolder_;
};

}  // namespace velomar::test
