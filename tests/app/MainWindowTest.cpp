// The main window's logic against the in-memory form of its layout, with
// stand-ins for the two mode windows, the restores and the traffic graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "platform/Files.h"
#include "support/TestSupport.h"
#include "util/DataFolder.h"
#include "util/IniFile.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

using namespace main_window;
using Log = std::vector<std::string>;

// A mode window that writes what is done to it into the shared log.
class FakeModeWindow : public ModeWindow {
 public:
  FakeModeWindow(std::string name, Log& log, Bounds frame) : name_(std::move(name)), log_(log), frame_(frame) {}
  Bounds Frame() const override { return frame_; }
  void MoveTo(int left, int top) override {
    frame_.x = left;
    frame_.y = top;
    log_.push_back(name_ + " move " + std::to_string(left) + "," + std::to_string(top));
  }
  void SetVistaOrLater(bool value) override { log_.push_back(name_ + " vista " + (value ? "1" : "0")); }
  void ClearOptimized() override {
    optimized_ = false;
    log_.push_back(name_ + " clear");
  }
  void ShowModal() override {
    log_.push_back(name_ + " modal");
    if (duringShowing) duringShowing();
    optimized_ = optimizeWhenShown;
  }
  bool Optimized() const override { return optimized_; }

  bool optimizeWhenShown = false;
  std::function<void()> duringShowing;

 private:
  std::string name_;
  Log& log_;
  Bounds frame_;
  bool optimized_ = true;  // left set by an earlier showing: the main window must clear it
};

// Frames numbered by call: the first frame is 1, each tick one more.
class CountingGraph : public TrafficGraphSource {
 public:
  Drawing FirstFrame() override { return Frame(); }
  Drawing NextFrame() override { return Frame(); }

 private:
  Drawing Frame() { return Drawing{.width = 382, .height = 88, .operations = {Drawing::Fill{++frames_}}}; }
  Color frames_ = 0;
};

Color FrameNumber(const MemoryWindow& window) {
  const Drawing* drawing = window.DrawingOf(kGraph);
  if (!drawing || drawing->operations.empty()) return 0;
  return std::get<Drawing::Fill>(drawing->operations[0]).color;
}

struct MainFixture : ::testing::Test {
  test::TempFolder folder;
  test::ScopedCurrentDirectory cwd{folder.path()};
  test::ScopedAppData appData{folder.File("appdata")};
  Log log;
  int majorVersion = 5;
  bool firefox = true;
  FirefoxReport cleared;
  RegChanges reset;
  MemoryWindow window;
  FakeModeWindow automatic{"automatic", log, {0, 0, 520, 510}};
  FakeModeWindow custom{"custom", log, {0, 0, 611, 603}};
  MainWindow main{window, Services(), automatic, custom};

  MainFixture() {
    platform::CreateDirectoryTree(folder.File("appdata"));
    DesignMemoryWindow(window, MainLayout());
    window.SetBounds("", {300, 200, 456, 514});
    window.OnMessage([this] { log.push_back("message"); });
    window.ClearEvents();
  }
  MainWindowServices Services() {
    return {
        .windowsMajorVersion = [this] { return majorVersion; },
        .firefoxInstalled = [this] { return firefox; },
        .restoreTcpDefaults =
            [this] {
              log.push_back("restore tcp");
              return reset;
            },
        .clearUserPrefsFile =
            [this] {
              log.push_back("clear user.js");
              return cleared;
            },
        .startTrafficGraph = [] { return std::make_unique<CountingGraph>(); },
        .setBorder = [this](BorderStyle b) { log.push_back(b == BorderStyle::None ? "border none" : "border fixed"); },
    };
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const auto& e : window.Events())
      if (e.kind == WindowEvent::Kind::Message) messages.push_back(e.value);
    return messages;
  }
  void WriteLanguage(const std::string& body) {
    platform::CreateDirectoryTree(folder.File("Language"));
    test::WriteFileText(platform::JoinPath(folder.File("Language"), "English.lng"), "[Velomar_Main]\r\n" + body);
  }
};

TEST(MainLayout, IsTheDesignedWindowWithTheLinkTextsOverTheirPicturesAndTheHotZonesAboveBoth) {
  const FormLayout f = MainLayout();
  EXPECT_EQ(f.className, "TForm_Velomar_Main");
  EXPECT_EQ(std::vector<int>({f.clientWidth, f.clientHeight, f.fontHeight}), std::vector<int>({450, 488, 13}));
  EXPECT_EQ(f.color, Rgb(230, 230, 230));
  EXPECT_TRUE(f.minimizeBox);
  EXPECT_TRUE(f.quitOnClose);
  auto index = [&](const char* name) {
    const Component* c = f.Find(name);
    EXPECT_NE(c, nullptr) << name;
    return c ? c - f.components.data() : -1;
  };
  for (const char* link : {"Label_Recover", "Image_Recover", "Label_GetHelp", "Image_Help"}) {
    EXPECT_GT(index("Label1"), index(link));
    EXPECT_GT(index("Label2"), index(link));
  }
  EXPECT_LT(index("Image_Recover"), index("Label_Recover"));
  EXPECT_LT(index("Image_Help"), index("Label_GetHelp"));
  EXPECT_TRUE(f.Find("Label_Recover")->transparent && f.Find("Label_GetHelp")->transparent);
  const Component* graph = f.Find(kGraph);
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->parent, "GroupBox_NetState");
  EXPECT_EQ(std::vector<int>({graph->x, graph->y, graph->width, graph->height}), std::vector<int>({16, 28, 382, 88}));
  EXPECT_EQ(f.Find(kGraphTimer)->interval, 1000);
  EXPECT_TRUE(f.Find(kAutoChoice)->checked);
  EXPECT_FALSE(f.Find(kCustomChoice)->checked);
}

TEST_F(MainFixture, CreationOnXpDrawsTheFirstFrameTranslatesAndCreatesTheDataFolder) {
  WriteLanguage("Button_Go.Caption=Go on\r\n");
  main.FormCreate();
  EXPECT_FALSE(main.vistaOrLater);
  EXPECT_TRUE(main.hasFirefox);
  EXPECT_EQ(FrameNumber(window), 1u);
  EXPECT_EQ(window.Text(kGo), "Go on");
  EXPECT_TRUE(platform::DirectoryExists(PerUserDataFolder()));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(window.Enabled(kGo));
}

TEST_F(MainFixture, NothingToOptimizeOnlyWhenANewerWindowsHasNoFirefox) {
  struct Case {
    int major;
    bool firefox;
    bool nothing;
  };
  for (const Case c : {Case{5, false, false}, Case{6, true, false}, Case{10, true, false}, Case{6, false, true},
                       Case{10, false, true}}) {
    MemoryWindow w;
    DesignMemoryWindow(w, MainLayout());
    majorVersion = c.major;
    firefox = c.firefox;
    MainWindow m{w, Services(), automatic, custom};
    m.FormCreate();
    SCOPED_TRACE(std::to_string(c.major) + (c.firefox ? " with Firefox" : " without Firefox"));
    EXPECT_EQ(m.vistaOrLater, c.major > 5);
    EXPECT_EQ(m.hasFirefox, c.firefox);
    for (const char* name : {kGo, kRecoverZone, kRecoverText}) EXPECT_EQ(w.Enabled(name), !c.nothing) << name;
    EXPECT_TRUE(w.Enabled(kCancel));
    EXPECT_TRUE(w.Enabled(kHelpZone));
    int messages = 0;
    for (const auto& e : w.Events()) messages += e.kind == WindowEvent::Kind::Message;
    EXPECT_EQ(messages, c.nothing ? 1 : 0);
  }
}

TEST_F(MainFixture, TheNothingToOptimizeMessageIsTranslatedAndPlain) {
  WriteLanguage("Label_Show_1.Caption=Nichts zu tun\r\n");
  majorVersion = 6;
  firefox = false;
  main.FormCreate();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"0\t\tNichts zu tun"}));
}

TEST_F(MainFixture, OkCentresTheModeWindowHidesInPlaceAndComesBackAt447By522) {
  main.FormCreate();
  window.ClearEvents();
  Bounds duringShowing;
  automatic.duringShowing = [&] { duringShowing = window.BoundsOf(""); };
  main.Button_GoClick();
  // 300 - (520 - 456) / 2 = 268; 200 + (514 - 510) / 2 = 202
  EXPECT_EQ(log, (Log{"automatic move 268,202", "border none", "automatic clear", "automatic vista 0",
                      "automatic modal", "border fixed"}));
  EXPECT_EQ(duringShowing, (Bounds{300, 200, 0, 0}));
  EXPECT_EQ(window.BoundsOf(""), (Bounds{300, 200, 447, 522}));
  EXPECT_FALSE(window.Closed());
}

TEST_F(MainFixture, CentringTruncatesOddAndNegativeHalvesTowardsZero) {
  majorVersion = 6;
  main.FormCreate();
  window.SetChecked(kAutoChoice, false);
  window.SetChecked(kCustomChoice, true);
  window.SetBounds("", {10, 5, 447, 522});
  main.Button_GoClick();
  // 10 - (611 - 447) / 2 = -72; 5 + (522 - 603) / 2 = 5 + (-40) = -35 (not -36)
  EXPECT_EQ(log[0], "custom move -72,-35");
  EXPECT_EQ(log[3], "custom vista 1");
}

TEST_F(MainFixture, AModeWindowThatOptimisedEndsTheProgram) {
  main.FormCreate();
  automatic.optimizeWhenShown = true;
  main.Button_GoClick();
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(log.back(), "automatic modal");  // the window is not brought back first
}

TEST_F(MainFixture, OkWithNeitherModeCheckedDoesNothing) {
  main.FormCreate();
  window.SetChecked(kAutoChoice, false);
  main.Button_GoClick();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(window.BoundsOf(""), (Bounds{300, 200, 456, 514}));
}

TEST_F(MainFixture, CancelClosesTheWindow) {
  main.Button_CancelClick();
  EXPECT_TRUE(window.Closed());
}

TEST_F(MainFixture, TheRecoverLinkRunsBothRestoresAndReportsWithTheTranslatedTexts) {
  WriteLanguage("Label_Recover.Caption=Undo\r\nLabel_Restore_Finish.Caption=All undone.\r\n");
  main.FormCreate();
  main.RecoverZoneClick();
  main.Image_RecoverClick();
  EXPECT_EQ(log, (Log{"restore tcp", "clear user.js", "message", "restore tcp", "clear user.js", "message"}));
  EXPECT_EQ(Messages()[0], "1\tUndo\tAll undone.");
}

TEST_F(MainFixture, WhatCouldNotBeResetIsReportedInsteadOfSuccess) {
  cleared.problems = {"cannot write C:\\p\\user.js"};
  reset.notChanged = {{platform::RegRoot::LocalMachine, "\\SYSTEM\\X", "SackOpts", {platform::kErrorAccessDenied}}};
  main.FormCreate();
  main.RecoverZoneClick();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0],
            "2\tReset\tVelomar could not change 1 of your settings; it must be run by an administrator "
            "to change them:\r\nHKEY_LOCAL_MACHINE\\SYSTEM\\X\\SackOpts: " +
                platform::RegErrorText(platform::kErrorAccessDenied) +
                "\r\n\r\nThese files could not be read or written:\r\ncannot write C:\\p\\user.js");
}

TEST_F(MainFixture, AProfileFirefoxRunsWithIsNamedInsteadOfTheFinishedMessage) {
  cleared.leftWhileRunning = {"a"};
  main.FormCreate();
  main.RecoverZoneClick();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"2\tReset\tFirefox is running with these profiles, so they were "
                                                  "left as they are. Close Firefox and try again:\r\na"}));
}

TEST_F(MainFixture, ADisabledRecoverLinkIgnoresClicksAndHovering) {
  majorVersion = 6;
  firefox = false;
  main.FormCreate();
  log.clear();
  window.ClearEvents();
  main.RecoverZoneClick();
  main.Image_RecoverClick();
  main.RecoverZoneMouseEnter();
  EXPECT_FALSE(window.Bold(kRecoverText));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(window.Events().empty());
  // The help link and its hovering still work.
  main.HelpZoneMouseEnter();
  EXPECT_TRUE(window.Bold(kHelpText));
  main.HelpZoneMouseLeave();
  EXPECT_FALSE(window.Bold(kHelpText));
  main.HelpZoneClick();
  main.Label_GetHelpClick();
  main.Image_HelpClick();
  int help = 0;
  for (const auto& e : window.Events()) help += e.kind == WindowEvent::Kind::Help;
  EXPECT_EQ(help, 3);
}

TEST_F(MainFixture, HoveringTheEnabledRecoverLinkMakesItsTextBold) {
  main.FormCreate();
  main.RecoverZoneMouseEnter();
  EXPECT_TRUE(window.Bold(kRecoverText));
  main.RecoverZoneMouseLeave();
  EXPECT_FALSE(window.Bold(kRecoverText));
}

TEST_F(MainFixture, EachTimerTickDrawsTheNextFrameAlsoWhileAModeWindowIsShown) {
  main.FormCreate();
  main.Timer_net_speedTimer();
  main.Timer_net_speedTimer();
  EXPECT_EQ(FrameNumber(window), 3u);
  automatic.duringShowing = [&] { main.Timer_net_speedTimer(); };
  main.Button_GoClick();
  EXPECT_EQ(FrameNumber(window), 4u);
}

// Every caption the window translates has its key in both language files.
TEST(MainLanguage, EnglishAndGermanNameEveryTranslatedText) {
  for (const char* language : {"English", "German"}) {
    IniFile ini;
    std::string error;
    ASSERT_TRUE(IniFile::Load(test::DataFile(std::string("../../Language/") + language + ".lng"), ini, error,
                              IniFile::Encoding::Ansi))
        << error;
    EXPECT_FALSE(ini.ReadString(kSection, "Caption").empty()) << language;
    for (const auto& c : MainLayout().components) {
      if (c.caption.empty()) continue;
      EXPECT_FALSE(ini.ReadString(kSection, c.name + ".Caption").empty()) << language << " " << c.name;
    }
  }
}

TEST(MainLanguage, EnglishHoldsTheDesignedTexts) {
  IniFile ini;
  std::string error;
  ASSERT_TRUE(IniFile::Load(test::DataFile("../../Language/English.lng"), ini, error, IniFile::Encoding::Ansi))
      << error;
  for (const auto& c : MainLayout().components) {
    if (!c.caption.empty()) {
      EXPECT_EQ(ini.ReadString(kSection, c.name + ".Caption"), c.caption) << c.name;
    }
  }
}

}  // namespace
}  // namespace velomar
