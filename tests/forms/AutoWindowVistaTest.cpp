// The automatic window on Windows Vista and later (the prefix set to win10):
// Firefox alone is tuned, the TCP/IP values stay as they are.
#include "AutoWindowFixture.h"

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

}  // namespace
}  // namespace velomar
