// The recover window through its real controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/RecoverForm.h"
#include "platform/MemoryRegistry.h"
#include "registry/RegistryStore.h"
#include "support/StoreHelpers.h"
#include "support/TestSupport.h"
#include "support/UiHarness.h"
#include "tcp/RegBackup.h"

namespace velomar {
namespace {

using uitest::ClickButton;
using uitest::MessageBoxRecorder;

constexpr const char* kTcpip = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

// The recover window with restores that only say they ran, and the owner
// it is shown over.
struct RecoverFixture : ::testing::Test {
  std::vector<std::string> ran;
  // What the Firefox restore reports.
  FirefoxReport firefoxSays;
  RecoverForm form{{[this] {
                      ran.push_back("registry");
                      return BackupRestore{};
                    },
                    [this](FirefoxReport& report) {
                      ran.push_back("firefox");
                      report = firefoxSays;
                    }}};
  ui::Form owner{{.className = "VelomarTestOwner", .caption = "Owner", .clientWidth = 300, .clientHeight = 200}};
  MessageBoxRecorder boxes;

  RecoverFixture() {
    owner.Create();
    owner.Show();
    form.Create();
  }
  HWND At(const char* name) { return form.ControlHandle(name); }
  // Shows the window modally and lets `user` act inside its loop.
  void ShowModalAnd(std::function<void()> user) {
    form.Post(std::move(user));
    form.ShowModal(owner.Handle());
  }
  void ExpectFinishedMessage() {
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Recover finish!");
    EXPECT_EQ(boxes.Boxes()[0].title, "Velomar");
    EXPECT_EQ(boxes.Boxes()[0].style & 0xF, static_cast<UINT>(MB_OK));
  }
};

TEST_F(RecoverFixture, ShowsItsDesignAndIsSavedAsAScreenshot) {
  EXPECT_EQ(form.Caption(), "Recover");
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 259);
  EXPECT_EQ(client.bottom, 197);
  EXPECT_TRUE(form.Checked("RadioButton_AllSettings"));
  EXPECT_FALSE(form.Checked("RadioButton_TcpSettings"));
  EXPECT_FALSE(form.Checked("RadioButton_FirefoxSetting"));
  EXPECT_EQ(GetParent(At("RadioButton_TcpSettings")), At("GroupBox_RecoverType"));
  form.Show();
  std::string error;
  EXPECT_TRUE(uitest::SaveScreenshot(form.Handle(), "recover_window", error)) << error;
  form.Hide();
}

// The width a caption takes in the window's bold Tahoma.
int CaptionWidth(const std::string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return size.cx;
}

TEST_F(RecoverFixture, EveryCaptionFitsItsBox) {
  // The group box's caption starts 10 pixels in and must end before its frame.
  EXPECT_LE(10 + CaptionWidth(form.Text("GroupBox_RecoverType")) + 2, form.BoundsOf("GroupBox_RecoverType").width);
  // A radio button's text follows its 13-pixel circle and a gap.
  for (const char* name : {"RadioButton_TcpSettings", "RadioButton_FirefoxSetting", "RadioButton_AllSettings"})
    EXPECT_LE(13 + 4 + CaptionWidth(form.Text(name)), form.BoundsOf(name).width) << name;
}

TEST_F(RecoverFixture, TheRadioButtonsAreOneGroup) {
  form.Show();
  ClickButton(At("RadioButton_TcpSettings"));
  EXPECT_TRUE(form.Checked("RadioButton_TcpSettings"));
  EXPECT_FALSE(form.Checked("RadioButton_AllSettings"));
  ClickButton(At("RadioButton_FirefoxSetting"));
  EXPECT_TRUE(form.Checked("RadioButton_FirefoxSetting"));
  EXPECT_FALSE(form.Checked("RadioButton_TcpSettings"));
  form.Hide();
}

TEST_F(RecoverFixture, RecoverRunsTheCheckedRestoreShowsTheMessageAndCloses) {
  ShowModalAnd([&] {
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));  // modal: the owner waits
    ClickButton(At("RadioButton_TcpSettings"));
    ClickButton(At("Button_Recover"));
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"registry"}));
  ExpectFinishedMessage();
  EXPECT_FALSE(form.IsShowing());
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(RecoverFixture, AllSettingsWithTheFirefoxOptionDisabledRestoresOnlyTheRegistry) {
  form.SetEnabled("RadioButton_FirefoxSetting", false);  // as the custom window does without Firefox
  ShowModalAnd([&] { ClickButton(At("Button_Recover")); });
  EXPECT_EQ(ran, (std::vector<std::string>{"registry"}));
  ExpectFinishedMessage();
  // Nothing enables it again; the window keeps its choice between showings.
  ShowModalAnd([&] { ClickButton(At("Button_Close")); });
  EXPECT_FALSE(form.Enabled("RadioButton_FirefoxSetting"));
  EXPECT_TRUE(form.Checked("RadioButton_AllSettings"));
}

TEST_F(RecoverFixture, ADisabledButCheckedFirefoxOptionStillRestoresFirefox) {
  ShowModalAnd([&] {
    ClickButton(At("RadioButton_FirefoxSetting"));
    form.SetEnabled("RadioButton_FirefoxSetting", false);
    ClickButton(At("Button_Recover"));
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"firefox"}));
  ExpectFinishedMessage();
}

TEST_F(RecoverFixture, WhatWasNotPutBackIsSaidInsteadOfFinished) {
  firefoxSays.leftWhileRunning = {"a"};
  ShowModalAnd([&] { ClickButton(At("Button_Recover")); });
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Firefox is running with these profiles, so they were left as they are. Close Firefox and try "
            "again:\r\na");
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONWARNING);
  EXPECT_FALSE(form.IsShowing());
}

TEST_F(RecoverFixture, CloseRestoresNothingAndReturns) {
  ShowModalAnd([&] { ClickButton(At("Button_Close")); });
  EXPECT_TRUE(ran.empty());
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_FALSE(form.IsShowing());
}

// With the real restores: the registry from "CustomRegBackUp.bk" in the
// current directory, into a memory registry.
struct RealRestores : ::testing::Test {
  test::TempFolder folder;
  test::ScopedCurrentDirectory cwd{folder.path()};
  platform::MemoryRegistry registry;
  ScopedRegistry scoped{registry};
  RecoverForm form;
  MessageBoxRecorder boxes;
  RealRestores() { form.Create(); }
};

TEST_F(RealRestores, TcpOnlyWithoutABackupFileChangesNothingButStillConfirms) {
  test::WriteNumber(platform::RegRoot::LocalMachine, kTcpip, "DefaultTTL", 64);
  form.Post([&] {
    ClickButton(form.ControlHandle("RadioButton_TcpSettings"));
    ClickButton(form.ControlHandle("Button_Recover"));
  });
  form.ShowModal(nullptr);
  EXPECT_EQ(ReadRegInteger(platform::RegRoot::LocalMachine, kTcpip, "DefaultTTL"), 64);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Recover finish!");
  EXPECT_FALSE(form.IsShowing());
}

TEST_F(RealRestores, TcpOnlyPutsBackTheBackedUpValue) {
  test::WriteNumber(platform::RegRoot::LocalMachine, kTcpip, "DefaultTTL", 64);
  test::WriteFileText("CustomRegBackUp.bk",
                      "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kTcpip) + "\r\n128\r\nREG_DWORD\r\n");
  form.Post([&] {
    ClickButton(form.ControlHandle("RadioButton_TcpSettings"));
    ClickButton(form.ControlHandle("Button_Recover"));
  });
  form.ShowModal(nullptr);
  EXPECT_EQ(ReadRegInteger(platform::RegRoot::LocalMachine, kTcpip, "DefaultTTL"), 128);
}

TEST_F(RealRestores, ACorruptBackupIsReportedInsteadOfFinishedAndRestoresNothing) {
  test::WriteNumber(platform::RegRoot::LocalMachine, kTcpip, "DefaultTTL", 64);
  test::WriteFileText("CustomRegBackUp.bk",
                      "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kTcpip) + "\r\nlots\r\nREG_DWORD\r\n");
  form.Post([&] {
    ClickButton(form.ControlHandle("RadioButton_TcpSettings"));
    ClickButton(form.ControlHandle("Button_Recover"));
  });
  form.ShowModal(nullptr);
  EXPECT_EQ(ReadRegInteger(platform::RegRoot::LocalMachine, kTcpip, "DefaultTTL"), 64);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text.rfind("The backup of your TCP/IP settings is damaged", 0), 0u)
      << boxes.Boxes()[0].text;
  EXPECT_NE(boxes.Boxes()[0].text.find("'lots'"), std::string::npos) << "which line, and why";
  EXPECT_EQ(boxes.Boxes()[0].title, "Velomar");
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONWARNING);
}

// The undo file for regedit: the Save As dialog (saved as a screenshot), and
// the file that velomar-cli undo-file writes, where the user chose.
TEST_F(RealRestores, TheUndoFileIsSavedWhereTheUserChooses) {
  test::WriteFileText("CustomRegBackUp.bk",
                      "DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n" + std::string(kTcpip) +
                          "\r\n128\r\nREG_DWORD\r\nV\r\nHKEY_LOCAL_MACHINE\r\n\\SOFTWARE\\Made\r\n"
                          "No Key\r\nREG_NONE\r\n");
  const std::string chosen = folder.File("undo here.reg");
  bool answered = false;
  form.Post([&] {
    uitest::SaveDialogAnswer answer("recover_undo_file_offer", chosen);
    ClickButton(form.ControlHandle("Button_UndoFile"));
    answered = answer.Answered();
    EXPECT_EQ(answer.ScreenshotError(), "");
    form.Close();
  });
  form.ShowModal(nullptr);
  EXPECT_TRUE(answered);
  std::string expected, error;
  ASSERT_TRUE(UndoRegText({"RegBackUp.bk", "CustomRegBackUp.bk"}, expected, error)) << error;
  EXPECT_EQ(test::ReadFileText(chosen), expected);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].text.find(chosen), std::string::npos) << boxes.Boxes()[0].text;
  EXPECT_NE(boxes.Boxes()[0].text.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Made"), std::string::npos) << "the key it leaves";
}

}  // namespace
}  // namespace velomar
