// The automatic window on Windows Vista and later (the prefix set to win10):
// Firefox alone is tuned, the TCP/IP values stay as they are.
#include "AutoWindowFixture.h"
#include "platform/win32/Win32Text.h"

namespace velomar {
namespace {

using namespace auto_window;
using test::ReadFileText;

class LaterWindow : public test::AutoWindowUi {};

TEST_F(LaterWindow, OnVistaAndLaterARunTunesFirefoxAlone) {
  ASSERT_GT(platform::WindowsMajorVersion(), 5) << "the prefix should run this suite as a later Windows";
  MakeProfile();
  const auto before = test::ReadAutoRunValues();
  Create();
  test::ProgressRecorder progress(At(kProgress));
  ShowModalAnd([&] {
    ChooseClass(3);
    uitest::ClickButton(At(kButton));
    Screenshot("auto_after_firefox_run");
    form.Close();
  });
  EXPECT_EQ(form.Rows(kLog).size(), test::FirefoxRowsPerProfile(2048));
  EXPECT_EQ(test::ReadAutoRunValues(), before);
  EXPECT_FALSE(platform::FileExists(kRegistryBackup));
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "3\r\n");
  ASSERT_FALSE(progress.Positions().empty());
  EXPECT_EQ(progress.Positions().back(), kProgressEnd);
  EXPECT_EQ(form.Text(kStatus), "Your 2Mbps connection has been optimized.");
  EXPECT_EQ(form.Text(kNotice), "The changes take effect when you restart Firefox.");
  EXPECT_EQ(form.Text(kButton), "Close");
  EXPECT_TRUE(boxes.Boxes().empty());
}

// The user's folder and the profile named beyond any ANSI code page: the
// pass reaches the profile, and the undo, meeting Firefox running with it,
// names it in its message as the user named it.
TEST_F(LaterWindow, AProfileNamedBeyondTheCodePageIsTunedAndNamedRight) {
  const std::string name = "M\xC3\xBCller \xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE5\x90\x8D\xE5\x89\x8D";
  test::TempFolder users;
  test::ScopedAppData appData(platform::JoinPath(users.path(), "\xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE5\x90\x8D"));
  std::string error;
  ASSERT_TRUE(EnsurePerUserDataFolder(error)) << error;
  const std::string firefox = platform::ApplicationDataFolder() + "Mozilla\\Firefox";
  const std::string profile = firefox + "\\Profiles\\abcd." + name;
  ASSERT_TRUE(platform::CreateDirectoryTree(profile));
  test::WriteFileText(firefox + "\\profiles.ini", "[Profile0]\r\nName=" + name +
                                                      "\r\nIsRelative=1\r\nPath=Profiles/abcd." + name +
                                                      "\r\nDefault=1\r\n\r\n[General]\r\nStartWithLastProfile=1\r\n");
  test::WriteFileText(profile + "\\prefs.js", "user_pref(\"browser.startup.page\", 1);\r\n");
  Create();
  uitest::RealMessageBoxes shown("auto_undo_message_beyond_code_page");
  HANDLE lock = INVALID_HANDLE_VALUE;
  ShowModalAnd([&] {
    ChooseClass(3);
    uitest::ClickButton(At(kButton));
    EXPECT_NE(ReadFileText(profile + "\\user.js").find("user_pref("), std::string::npos) << "tuned";
    // Firefox holds parent.lock open without sharing while it runs.
    lock = CreateFileW(platform::Utf8ToWide(profile + "\\parent.lock").c_str(), GENERIC_WRITE, 0, nullptr,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    uitest::ClickAt(At("Label8"));  // the undo link, through its hot zone
    form.Close();
  });
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  CloseHandle(lock);
  EXPECT_EQ(form.Rows(kLog).size(), test::FirefoxRowsPerProfile(2048));
  ASSERT_EQ(shown.Texts().size(), 1u);
  EXPECT_NE(shown.Texts()[0].find("Firefox is running"), std::string::npos) << shown.Texts()[0];
  EXPECT_NE(shown.Texts()[0].find(name), std::string::npos) << shown.Texts()[0];
  EXPECT_TRUE(shown.ScreenshotErrors().empty());
}

}  // namespace
}  // namespace velomar
