// The automatic window on Windows XP (the prefix set to winxp64): the
// whole run through the real controls, the real passes, the real path MTU
// probe and the prefix's registry.
#include "AutoWindowFixture.h"
#include "bandwidth/BandwidthClass.h"
#include "firefox/PrefLines.h"

namespace velomar {
namespace {

using namespace auto_window;
using test::ReadFileText;
using uitest::ClickAt;
using uitest::ClickButton;
using uitest::RunUntil;

class XpWindow : public test::AutoWindowUi {
 protected:
  // The title ends before the links, the introduction above the panel.
  void ExpectTheHeadFits() {
    const Bounds title = form.BoundsOf("Label_Auto_Title");
    EXPECT_LE(title.x + title.width, form.BoundsOf("Label8").x);
    const Bounds intro = form.BoundsOf("Label_Auto_Introduce");
    EXPECT_LE(intro.y + intro.height, form.BoundsOf("Panel_Back").y);
  }
  // One line between the status line and the log.
  void ExpectTheNoticeFits() {
    const Bounds notice = form.BoundsOf(kNotice);
    EXPECT_LE(notice.y + notice.height, form.BoundsOf(kLog).y) << form.Text(kNotice);
  }
  XpWindow() { EXPECT_EQ(platform::WindowsMajorVersion(), 5) << "the prefix should run this suite as Windows XP"; }
  // A run at a class from the button, with `during` run once while the
  // Firefox pass is on its way (it may pump messages: the pass runs on its
  // worker) and `after` once the run has returned.
  void RunAt(int position, std::function<void()> during = {}) {
    ChooseClass(position);
    if (during) form.Post(std::move(during));
    ClickButton(At(kButton));
  }
};

TEST_F(XpWindow, FirstStartShowsTheDesignAndTheNotOptimisedText) {
  Create();
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 473);
  EXPECT_EQ(client.bottom, 253);
  EXPECT_EQ(form.Text(kStatus), "Your connection has not been optimized yet.");
  EXPECT_EQ(form.Position(kTrackBar), 0);
  EXPECT_EQ(form.Text(kSpeedGroup), "  Connection speed :    56 Kbps  ");
  EXPECT_EQ(form.Text(kButton), "Optimize");
  const int widths[] = {200, 110, 110};
  for (int k = 0; k < 3; ++k) EXPECT_EQ(SendMessageA(At(kLog), LVM_GETCOLUMNWIDTH, k, 0), widths[k]) << "column " << k;
  EXPECT_EQ(form.Text("Label1"), "56K");
  EXPECT_EQ(form.Text("Label9"), "6M");
  EXPECT_EQ(form.Text("Label12"), "1G");
  for (const char* hidden : {kProgress, kAnimation, kDoing, kNotice}) EXPECT_FALSE(form.Visible(hidden)) << hidden;
  ExpectTheHeadFits();
  // Every control lies inside the client area: the window holds only what the user sees.
  for (const auto& c : AutoOptimizeLayout().components) {
    if (c.parent.empty() && c.kind != ComponentKind::Timer) {
      EXPECT_LT(form.BoundsOf(c.name).x, client.right) << c.name;
    }
  }
  ShowModalAnd([&] {
    // The track bar is worked with the mouse and hands the focus to the window.
    SetFocus(At(kTrackBar));
    EXPECT_EQ(GetFocus(), form.Handle());
    // The hot zones lie above the links and take the mouse.
    const Bounds recover = form.BoundsOf(kRecoverLink);
    EXPECT_EQ(uitest::ControlAt(form.Handle(), recover.x + 4, recover.y + 4), At("Label8"));
    const Bounds help = form.BoundsOf(kHelpLink);
    EXPECT_EQ(uitest::ControlAt(form.Handle(), help.x + 4, help.y + 4), At("Label13"));
    uitest::MouseEnter(At("Label8"));
    EXPECT_TRUE(form.Bold(kRecoverLink));
    uitest::MouseLeave(At("Label8"));
    EXPECT_FALSE(form.Bold(kRecoverLink));
    Screenshot("auto_first_start");
    form.Close();
  });
}

TEST_F(XpWindow, AWholeRunAtTenMegabitsShowsEveryChangeAndBecomesTheCloseButton) {
  MakeProfile();
  Create();
  test::ProgressRecorder progress(At(kProgress));
  bool held = false, busyLook = false, hoverIgnored = false, backupFirst = false;
  ShowModalAnd([&] {
    RunAt(6, [&] {
      ASSERT_TRUE(RunUntil([&] { return form.RowCount(kLog) >= 12; }, std::chrono::seconds(20)));
      held = !form.Enabled(kButton) && !form.Enabled(kTrackBar) && !form.Enabled(kRecoverImage) &&
             !form.Enabled(kRecoverLink) && !form.Enabled(kHelpLink);
      busyLook = form.Visible(kProgress) && form.Visible(kAnimation) && form.Visible(kDoing) && !form.Visible(kStatus);
      uitest::MouseEnter(At("Label8"));
      uitest::MouseEnter(At("Label13"));
      hoverIgnored = !form.Bold(kRecoverLink) && !form.Bold(kHelpLink);
      ClickAt(At("Label8"));  // no recover in the middle of a run
      Screenshot("auto_during_run");
      uitest::MouseLeave(At("Label8"));
      uitest::MouseLeave(At("Label13"));
    });
    // The backup holds the values from before the first change.
    const std::string backup = ReadFileText(kRegistryBackup);
    backupFirst =
        backup.rfind("TcpWindowSize\r\nHKEY_LOCAL_MACHINE\r\n" + test::AutoRunValues()[0].path + "\r\n17520\r\n", 0) ==
        0;
    Screenshot("auto_after_run");
    ClickButton(At(kButton));  // now the close button
  });
  EXPECT_TRUE(held);
  EXPECT_TRUE(busyLook);
  EXPECT_TRUE(hoverIgnored);
  EXPECT_TRUE(backupFirst);
  EXPECT_TRUE(boxes.Boxes().empty());

  // The Firefox rows come first, then the TCP/IP rows in the pass's order.
  const auto names = RowNames();
  const auto tcp = test::AutoRunRowNames();
  const std::size_t firefoxRows = test::FirefoxRowsPerProfile(10240);
  ASSERT_EQ(names.size(), firefoxRows + tcp.size());
  EXPECT_EQ(std::vector<std::string>(names.begin() + static_cast<long>(firefoxRows), names.end()), tcp);
  // user.js existed: the common preferences come first.
  EXPECT_EQ(names[0], PrefNameOf(CommonPrefs()[0].head));

  // The prefix's registry holds the new values, computed from the MTU the
  // probe found (1500 where the probe host cannot be reached), which the
  // adapter's row shows.
  std::int32_t mtu = 0;
  for (const auto& row : form.Rows(kLog))
    if (row.name == "MTU") mtu = std::stoi(row.newValue);
  ASSERT_GT(mtu, 40) << "the adapter's row";
  const auto values = test::ReadAutoRunValues();
  EXPECT_EQ(values[0], ComputeTcpWindow(10240, mtu).value_or(0));  // TcpWindowSize
  EXPECT_EQ(values[6], 64);                                        // DefaultTTL
  EXPECT_EQ(values[9], 10);                                        // MaxConnectionsPerServer
  EXPECT_EQ(values[11], std::nullopt);                             // InternetMTU, deleted
  EXPECT_EQ(values[23], mtu);                                      // the adapter's MTU

  EXPECT_EQ(ReadFileText(LastSetFilePath()), "6\r\n");
  ASSERT_FALSE(progress.Positions().empty());
  EXPECT_EQ(progress.Positions().back(), kProgressEnd);
  EXPECT_EQ(Progress(), kProgressEnd);
  EXPECT_EQ(form.Text(kStatus), "Your 10Mbps connection has been optimized.");
  EXPECT_TRUE(form.Visible(kStatus));
  EXPECT_EQ(form.Text(kNotice), "The changes take effect when you restart Windows.");
  EXPECT_TRUE(form.Visible(kNotice));
  ExpectTheNoticeFits();
  EXPECT_EQ(form.Text(kButton), "Close");
  // The second press closed the window.
  EXPECT_FALSE(form.IsShowing());
  EXPECT_TRUE(form.Optimized());
  RECT frame;
  GetWindowRect(form.Handle(), &frame);
  EXPECT_EQ(frame.bottom - frame.top, kRunHeight);
}

TEST_F(XpWindow, WithoutAFirefoxProfileTheBarRunsToNinetyEightThenToTheEnd) {
  Create();
  test::ProgressRecorder progress(At(kProgress));
  ShowModalAnd([&] {
    RunAt(2);
    form.Close();
  });
  const auto& positions = progress.Positions();
  ASSERT_GE(positions.size(), 4u);
  EXPECT_EQ(positions[0], 0);
  EXPECT_EQ(positions[1], 4);  // the TCP/IP pass's step
  EXPECT_EQ(positions[positions.size() - 2], 98);
  EXPECT_EQ(positions.back(), kProgressEnd);
  EXPECT_EQ(RowNames(), test::AutoRunRowNames());
}

TEST_F(XpWindow, RecoverAfterARunReArmsTheButtonAndKeepsTheStatusLine) {
  const std::string profile = MakeProfile();
  Create();
  ShowModalAnd([&] {
    RunAt(6);
    ChooseClass(10);
    EXPECT_EQ(form.Text(kSpeedGroup), "  Connection speed :   1 Gbps  ");
    EXPECT_EQ(form.Text(kButton), "Optimize");
    EXPECT_EQ(form.Text(kStatus), "Your 10Mbps connection has been optimized.");
    ClickButton(At(kButton));  // a second run, at 1G
    EXPECT_EQ(form.Text(kButton), "Close");
    ClickAt(At(kRecoverImage));  // the picture's own handler: the reset to the defaults
    form.Close();
  });
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].title, "Undo");
  EXPECT_EQ(boxes.Boxes()[0].text, "Your settings have been reset to the defaults.");
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONINFORMATION);
  EXPECT_EQ(form.Text(kButton), "Optimize");
  EXPECT_EQ(form.Text(kStatus), "Your 1Gbps connection has been optimized.");
  EXPECT_EQ(test::ReadAutoRunValues()[6], std::nullopt);  // DefaultTTL back to the system's default
  EXPECT_EQ(ReadFileText(profile + "\\user.js"), "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n")
      << "Velomar's preferences go, the user's own line stays";
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "10\r\n");
}

TEST_F(XpWindow, TheBackupRestorePutsBackTheRegistryAndFirefoxFromBeforeTheRun) {
  const std::string profile = MakeProfile();
  const auto before = test::ReadAutoRunValues();
  const std::string userJs = ReadFileText(profile + "\\user.js");
  Create();
  ShowModalAnd([&] {
    RunAt(6);
    EXPECT_NE(test::ReadAutoRunValues(), before);
    ClickAt(At("Label8"));  // the link, through its hot zone
    EXPECT_EQ(form.Text(kButton), "Optimize") << "undone, the button optimises again";
    EXPECT_EQ(form.Text(kStatus), "Your earlier settings are back.");
    EXPECT_EQ(form.Text(kNotice), "The changes take effect when you restart Windows.");
    Screenshot("auto_after_undo");
    form.Close();
  });
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Recover finish!");
  EXPECT_EQ(boxes.Boxes()[0].title, "Velomar");
  EXPECT_EQ(test::ReadAutoRunValues(), before);
  EXPECT_EQ(ReadFileText(profile + "\\user.js"), userJs);
}

TEST_F(XpWindow, CloseFromTheTitleBarDuringARunWaitsForTheRunToEnd) {
  MakeProfile();
  Create();
  bool showingAfterClose = false;
  ShowModalAnd([&] {
    RunAt(4, [&] {
      ASSERT_TRUE(RunUntil([&] { return form.RowCount(kLog) >= 3; }, std::chrono::seconds(20)));
      PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
      RunUntil([&] { return form.RowCount(kLog) >= 6; }, std::chrono::seconds(20));
      showingAfterClose = form.IsShowing();
    });
  });
  EXPECT_TRUE(showingAfterClose);
  EXPECT_FALSE(form.IsShowing());
  // The run went to its end before the window closed.
  EXPECT_EQ(ReadFileText(LastSetFilePath()), "4\r\n");
  EXPECT_EQ(form.Text(kStatus), "Your 4Mbps connection has been optimized.");
  EXPECT_EQ(RowNames().size(), test::FirefoxRowsPerProfile(4096) + test::AutoRunRowNames().size());
}

// The preview: the rows of the run to come, nothing written, and the
// button still optimises.
TEST_F(XpWindow, APreviewShowsTheRowsOfTheRunToComeAndWhatFirefoxIgnores) {
  const std::string profile = MakeProfile();
  // The Firefox of Windows XP's last days.
  test::WriteFileText(profile + "\\compatibility.ini",
                      "[Compatibility]\r\nLastVersion=52.9.0_20180621064021/20180621064021\r\n");
  Create();
  std::vector<std::string> told;
  ShowModalAnd([&] {
    ChooseClass(6);
    {
      uitest::RealMessageBoxes shown("auto_preview_firefox_note");
      ClickButton(At(kPreview));
      told = shown.Texts();
    }
    Screenshot("auto_preview");
    form.Close();
  });
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].rfind("Firefox 52 no longer reads ", 0), 0u) << told[0];
  EXPECT_EQ(RowNames().size(), test::FirefoxRowsPerProfile(10240) + test::AutoRunRowNames().size());
  EXPECT_EQ(form.Text(kStatus), "Preview: nothing changed yet.");
  EXPECT_EQ(form.Text(kNotice), "Press Optimize to apply these values.");
  EXPECT_EQ(form.Text(kButton), "Optimize");
  EXPECT_FALSE(std::filesystem::exists(profile + "\\user.bk"));
  EXPECT_FALSE(std::filesystem::exists(folder.File("RegBackUp.bk")));
}

// The shipped German texts, chosen through the sibling product's settings
// as the program reads them: nothing may be clipped or overlap.
TEST_F(XpWindow, InGermanEveryTextFits) {
  test::WriteFileText(MakeProfile() + "\\compatibility.ini",
                      "[Compatibility]\r\nLastVersion=140.0_20250601000000/20250601000000\r\n");
  const std::string marrowcare = platform::ApplicationDataFolder() + "Tandrel\\Marrowcare";
  platform::CreateDirectoryTree(marrowcare);
  test::WriteFileText(marrowcare + "\\Main.ini", "[Main]\r\nLanguage=German\r\n");
  platform::CreateDirectoryTree(folder.path() + "\\Language");
  test::WriteFileText(folder.path() + "\\Language\\German.lng",
                      ReadFileText(test::DataFile("../../Language/German.lng")));
  Create();
  std::filesystem::remove_all(std::filesystem::path(marrowcare));
  EXPECT_EQ(form.Text(kStatus), "Ihre Verbindung wurde noch nicht optimiert.");
  EXPECT_EQ(form.Text(kButton), "Optimieren");
  ShowModalAnd([&] {
    Screenshot("auto_german_first_start");
    ChooseClass(8);
    {
      uitest::RealMessageBoxes shown("auto_german_preview_firefox_note");
      ClickButton(At(kPreview));
      EXPECT_EQ(shown.Texts().size(), 1u);
    }
    EXPECT_EQ(form.Text(kStatus), "Vorschau: noch nichts ge\xc3\xa4ndert.");
    Screenshot("auto_german_preview");
    RunAt(8);
    Screenshot("auto_german_after_run");
    form.Close();
  });
  EXPECT_EQ(form.Text(kStatus), "Ihre Verbindung mit 100Mbps wurde optimiert.");
  EXPECT_EQ(form.Text(kButton),
            "Schlie\xc3\x9f"
            "en");
  // Every caption ends inside the window.
  RECT client;
  GetClientRect(form.Handle(), &client);
  for (const char* name : {"Label_Auto_Title", "Label_Auto_Introduce", "Label_ChooseBandwidth", kStatus, kNotice}) {
    RECT r;
    GetWindowRect(At(name), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_LE(r.right, client.right) << name;
  }
  ExpectTheHeadFits();
  ExpectTheNoticeFits();
}

}  // namespace
}  // namespace velomar
