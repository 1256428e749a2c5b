// The main window through its real controls, with stand-ins for the two
// mode windows and for the restores; the traffic graph is the real one.
#include <winsock2.h>
// winsock2.h before anything that brings in windows.h
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/WindowMessages.h"
#include "forms/MainForm.h"
#include "platform/Files.h"
#include "support/TestSupport.h"
#include "support/UiHarness.h"

namespace velomar {
namespace {

using namespace main_window;
using uitest::ClickAt;
using uitest::ClickButton;
using uitest::MessageBoxRecorder;
using uitest::RunUntil;

// A mode window with the interface the main window expects.
class StandInMode : public ui::Form {
 public:
  StandInMode(const char* className, int width, int height)
      : Form({.className = className, .caption = className, .clientWidth = width, .clientHeight = height}) {}
  void SetVistaOrLater(bool value) { vistaOrLater = value; }
  bool Optimized() const { return optimized; }
  void ClearOptimized() { optimized = false; }
  bool vistaOrLater = false;
  bool optimized = true;
};

// A closed main window asks the thread's loop to end; the suites go on.
void ForgetQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

Bounds FrameOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The columns of one row of a control where the pixel has the given colour.
std::set<int> ColumnsOfColour(HWND control, int row, COLORREF colour) {
  RECT r;
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  std::set<int> columns;
  for (int x = 0; x < r.right; ++x)
    if (GetPixel(dc, x, row) == colour) columns.insert(x);
  ReleaseDC(control, dc);
  return columns;
}

// Received traffic for the graph: UDP datagrams to a closed port on the
// loopback interface, for as long as the object lives.
class LoopbackTraffic {
 public:
  LoopbackTraffic() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    sender_ = std::thread([this] {
      SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
      sockaddr_in to{};
      to.sin_family = AF_INET;
      to.sin_port = htons(9);
      to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      std::vector<char> payload(30000, 'v');
      for (int round = 0; !stop_; ++round) {
        for (int i = 0; i < (round % 7) + 1; ++i)
          sendto(s, payload.data(), static_cast<int>(payload.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof(to));
        Sleep(50);
      }
      closesocket(s);
    });
  }
  ~LoopbackTraffic() {
    stop_ = true;
    sender_.join();
    WSACleanup();
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread sender_;
};

// The real graph, counting its ticks.
class CountedGraph : public TrafficGraphSource {
 public:
  CountedGraph(std::unique_ptr<TrafficGraphSource> graph, int& ticks) : graph_(std::move(graph)), ticks_(ticks) {}
  Drawing FirstFrame() override { return graph_->FirstFrame(); }
  Drawing NextFrame() override {
    ++ticks_;
    return graph_->NextFrame();
  }

 private:
  std::unique_ptr<TrafficGraphSource> graph_;
  int& ticks_;
};

struct MainWindowFixture : ::testing::Test {
  test::TempFolder appDataFolder;
  test::ScopedAppData appData{appDataFolder.path()};
  std::vector<std::string> ran;
  int majorVersion = 5;
  bool firefox = true;
  int ticks = 0;
  StandInMode automatic{"VelomarTestAutomatic", 512, 470};
  StandInMode custom{"VelomarTestCustom", 600, 560};
  MessageBoxRecorder boxes;
  std::unique_ptr<MainForm> main;

  MainWindowServices Services() {
    MainWindowServices s = SystemMainWindowServices();
    s.windowsMajorVersion = [this] { return majorVersion; };
    s.firefoxInstalled = [this] { return firefox; };
    s.restoreTcpDefaults = [this] {
      ran.push_back("tcp defaults");
      return RegChanges{};
    };
    s.clearUserPrefsFile = [this] {
      ran.push_back("user.js");
      return FirefoxReport{};
    };
    s.startTrafficGraph = [this, real = s.startTrafficGraph] { return std::make_unique<CountedGraph>(real(), ticks); };
    return s;
  }
  // The windows as the program makes them: the main one first, shown.
  void Start() {
    main = std::make_unique<MainForm>(automatic, custom, Services());
    main->Create();
    main->Show();
    automatic.Create();
    custom.Create();
  }
  void TearDown() override {
    if (main) main->Close();
    ForgetQuit();
  }
  HWND At(const char* name) { return main->ControlHandle(name); }
  // Shows `mode` through OK and lets `user` act while it is shown.
  void ChooseMode(StandInMode& mode, std::function<void()> user) {
    mode.Post(std::move(user));
    ClickButton(At(mode.Handle() == automatic.Handle() ? kAutoChoice : kCustomChoice));
    ClickButton(At(kGo));
  }
  // A link's text stays on its picture, whatever the language makes it.
  void ExpectLinkTextsOnTheirPictures() {
    for (const auto& [text, picture] : {std::pair{"Label_Recover", "Image_Recover"}, {"Label_GetHelp", "Image_Help"}}) {
      const auto caption = main->BoundsOf(text);
      const auto pill = main->BoundsOf(picture);
      EXPECT_GE(caption.x, pill.x) << text;
      EXPECT_LE(caption.x + caption.width, pill.x + pill.width) << text << " \"" << main->Text(text) << "\"";
    }
  }
  // The graph's timer ticks, each a second apart.
  void WaitTicks(int count) {
    const int until = ticks + count;
    ASSERT_TRUE(RunUntil([&] { return ticks >= until; }, std::chrono::seconds(count + 3)));
  }
};

TEST_F(MainWindowFixture, ShowsItsDesignWithTheGraphInEnglish) {
  LoopbackTraffic traffic;
  Start();
  RECT client;
  GetClientRect(main->Handle(), &client);
  EXPECT_EQ(client.right, 450);
  EXPECT_EQ(client.bottom, 488);
  EXPECT_EQ(main->Caption(), "Velomar");
  EXPECT_TRUE(main->Checked(kAutoChoice));
  EXPECT_TRUE(IsWindowEnabled(At(kGo)));
  EXPECT_TRUE(boxes.Boxes().empty());
  ExpectLinkTextsOnTheirPictures();
  WaitTicks(6);
  std::string error;
  EXPECT_TRUE(uitest::SaveScreenshot(main->Handle(), "main_english", error)) << error;
}

TEST_F(MainWindowFixture, ShowsItsDesignWithTheGraphInGerman) {
  const std::string marrowcare = platform::JoinPath(platform::JoinPath(appDataFolder.path(), "Tandrel"), "Marrowcare");
  platform::CreateDirectoryTree(marrowcare);
  test::WriteFileText(platform::JoinPath(marrowcare, "Main.ini"), "[Main]\r\nLanguage=German\r\n");
  LoopbackTraffic traffic;
  Start();
  EXPECT_EQ(main->Text(kCancel), "Beenden");
  ExpectLinkTextsOnTheirPictures();
  WaitTicks(6);
  std::string error;
  EXPECT_TRUE(uitest::SaveScreenshot(main->Handle(), "main_german", error)) << error;
}

TEST_F(MainWindowFixture, TheGraphIsRedrawnEverySecondWithItsGridThreePixelsFurtherLeft) {
  Start();
  const COLORREF grid = RGB(0, 128, 0);
  HWND graph = At(kGraph);
  // The first frame: a line every 17 pixels from x = 57.
  std::set<int> first = ColumnsOfColour(graph, 80, grid);
  EXPECT_TRUE(first.count(57) && first.count(74)) << first.size();
  WaitTicks(1);
  std::set<int> before = ColumnsOfColour(graph, 80, grid);
  WaitTicks(1);
  std::set<int> after = ColumnsOfColour(graph, 80, grid);
  ASSERT_FALSE(before.empty());
  ASSERT_NE(before, after);
  // Lines of the scrolling grid lie 18 apart; the next frame moves them by
  // 3 to the left, or back by 15 when the phase starts again.
  const int a = *before.upper_bound(45), b = *after.upper_bound(45);
  EXPECT_TRUE(b - a == -3 || b - a == 15) << a << " then " << b;
}

TEST_F(MainWindowFixture, OnANewerWindowsWithoutFirefoxOkAndRecoverAreDisabledAndTheMessageComesOnce) {
  majorVersion = 10;
  firefox = false;
  Start();
  EXPECT_FALSE(IsWindowEnabled(At(kGo)));
  EXPECT_FALSE(main->Enabled(kRecoverZone));
  EXPECT_FALSE(main->Enabled(kRecoverText));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, MessageCatalogue().Text(main_text::kNothingToOptimize));
  EXPECT_EQ(boxes.Boxes()[0].title, "Velomar");
  // Neither a click nor hovering over the disabled link does anything.
  uitest::MouseEnter(At(kRecoverZone));
  ClickAt(At(kRecoverZone));
  ClickAt(At(kRecoverPicture));
  uitest::MouseEnter(At(kRecoverPicture));
  uitest::Settle();
  EXPECT_FALSE(main->Bold(kRecoverText));
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_TRUE(IsWindowEnabled(At(kCancel)));
}

TEST_F(MainWindowFixture, TheRecoverLinkRunsBothRestoresAndConfirms) {
  Start();
  uitest::MouseEnter(At(kRecoverZone));
  EXPECT_TRUE(main->Bold(kRecoverText));
  uitest::MouseLeave(At(kRecoverZone));
  EXPECT_FALSE(main->Bold(kRecoverText));
  ClickAt(At(kRecoverZone));
  EXPECT_EQ(ran, (std::vector<std::string>{"tcp defaults", "user.js"}));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].owner, main->Handle());
  EXPECT_EQ(boxes.Boxes()[0].text, MessageCatalogue().Text(kDefaultsRestored));
  EXPECT_EQ(boxes.Boxes()[0].title, main->Text(kRecoverText));
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONINFORMATION);
}

TEST_F(MainWindowFixture, AModeWindowClosedWithoutOptimisingBringsTheMainWindowBackAt447By522) {
  Start();
  const Bounds before = FrameOf(main->Handle());
  Bounds during{}, mode{};
  bool vistaHandedOver = true;
  ChooseMode(automatic, [&] {
    during = FrameOf(main->Handle());
    mode = FrameOf(automatic.Handle());
    vistaHandedOver = automatic.vistaOrLater;
    automatic.Close();
  });
  EXPECT_EQ(during.width, 0);
  EXPECT_EQ(during.height, 0);
  EXPECT_EQ(mode.x, before.x - (mode.width - before.width) / 2);
  EXPECT_EQ(mode.y, before.y + (before.height - mode.height) / 2);
  EXPECT_FALSE(vistaHandedOver);
  EXPECT_TRUE(main->IsShowing());
  const Bounds after = FrameOf(main->Handle());
  EXPECT_EQ((std::pair{after.width, after.height}), (std::pair{447, 522}));
  EXPECT_TRUE(GetWindowLongA(main->Handle(), GWL_STYLE) & WS_CAPTION);
}

TEST_F(MainWindowFixture, AModeWindowThatOptimisedEndsTheProgram) {
  Start();
  ChooseMode(custom, [&] {
    custom.optimized = true;
    custom.Close();
  });
  EXPECT_FALSE(main->IsShowing());
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(MainWindowFixture, ASecondStartBringsTheWindowInUseToTheFront) {
  Start();
  ShowWindow(main->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main->Handle()));
  SendMessageA(main->Handle(), kRestoreInstanceMessage, 0, 0);
  EXPECT_FALSE(IsIconic(main->Handle()));
  EXPECT_EQ(GetForegroundWindow(), main->Handle());

  HWND front = nullptr;
  ChooseMode(automatic, [&] {
    SetForegroundWindow(main->Handle());
    SendMessageA(main->Handle(), kRestoreInstanceMessage, 0, 0);
    front = GetForegroundWindow();
    automatic.Close();
  });
  EXPECT_EQ(front, automatic.Handle());
}

}  // namespace
}  // namespace velomar
