// What the program's windows ask of the framework besides controls by name:
// the window's frame, component bounds, the focus, drawings, tooltips,
// animation pace and the hand-over of work to the window's thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/UiHarness.h"
#include "win32ui/Form.h"

namespace velomar {
namespace {

using namespace layout;
using ui::Event;

FormLayout ActionsLayout() {
  FormLayout f;
  f.className = "VelomarTestActions";
  f.caption = "Actions";
  f.clientWidth = 450;
  f.clientHeight = 300;
  const char* page = "Panel_Page";
  // clang-format off
  f.components = {
      Panel("Panel_Page",              {0, 0, 450, 300}),
      Label("Label_Wrapped",           {8, 8, 200, 0}, "One line").In(page).WordWrap(),
      CheckBox("CheckBox_Below",       {8, 40, 200, 17}, "Below the label").In(page),
      TrackBar("TrackBar_BandWidth",   {8, 70, 200, 33}).In(page),
      Edit("Edit_Nothing",             {528, 58, 20, 21}).In(page),
      Image("Image_Graph",             {8, 110, 382, 88}).In(page),
      Image("Image_Busy",              {400, 110, 16, 16}).In(page).Picture("Busy").Stretch(),
      Button("Button_Go",              {8, 210, 75, 25}, "Go").In(page).Hint("Starts the run"),
      Button("Button_Quiet",           {100, 210, 75, 25}, "Quiet").In(page),
  };
  // clang-format on
  return f;
}

struct Actions : ::testing::Test {
  ui::Form form{ActionsLayout(), uitest::TestLook()};
  Actions() {
    form.Create();
    form.Show();
  }
};

TEST_F(Actions, TheWindowHidesInPlaceWithoutBorderAndComesBackAtItsNewSize) {
  const Bounds start = form.BoundsOf("");
  form.SetBorder(BorderStyle::None);
  form.SetBounds("", {start.x, start.y, 0, 0});
  EXPECT_EQ(form.BoundsOf(""), (Bounds{start.x, start.y, 0, 0}));
  EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_STYLE) & WS_CAPTION);

  form.SetBorder(BorderStyle::SingleFixed);
  form.SetBounds("", {start.x, start.y, 447, 522});
  EXPECT_EQ(form.BoundsOf(""), (Bounds{start.x, start.y, 447, 522}));
  EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_STYLE) & WS_CAPTION);
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_LT(client.bottom, 522);  // the frame takes its share of the outer size

  form.SetBounds("", {start.x, start.y, 447, 510});
  EXPECT_EQ(form.BoundsOf("").height, 510);
}

TEST_F(Actions, AWrappedLabelReportsItsHeightAfterANewCaptionAndRowsStackBelowIt) {
  const Bounds oneLine = form.BoundsOf("Label_Wrapped");
  EXPECT_EQ(oneLine.width, 200);
  form.SetText("Label_Wrapped", "A caption long enough to need three lines in a label of two hundred pixels");
  const Bounds wrapped = form.BoundsOf("Label_Wrapped");
  EXPECT_EQ(wrapped.width, 200);
  EXPECT_GE(wrapped.height, 3 * oneLine.height);

  const Bounds below = form.BoundsOf("CheckBox_Below");
  form.SetBounds("CheckBox_Below", {below.x, wrapped.y + wrapped.height + 5, below.width, below.height});
  EXPECT_EQ(form.BoundsOf("CheckBox_Below"),
            (Bounds{below.x, wrapped.y + wrapped.height + 5, below.width, below.height}));

  form.SetText("Label_Wrapped", "Short");
  EXPECT_EQ(form.BoundsOf("Label_Wrapped").height, oneLine.height);
}

TEST_F(Actions, TheTrackBarHandsTheFocusToAnEditBoxOutsideTheWindow) {
  form.On("TrackBar_BandWidth", Event::Enter, [this] { form.Focus("Edit_Nothing"); });
  SetFocus(form.ControlHandle("TrackBar_BandWidth"));
  EXPECT_EQ(GetFocus(), form.ControlHandle("Edit_Nothing"));
  form.Focus("Button_Go");
  EXPECT_EQ(GetFocus(), form.ControlHandle("Button_Go"));
}

// The client area of a component as it paints itself.
struct Snapshot {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ old;
  Snapshot(HWND control, int width, int height) {
    HDC screen = GetDC(nullptr);
    bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
  ~Snapshot() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  bool HasInRow(int y, int from, int to, COLORREF color) const {
    for (int x = from; x < to; ++x)
      if (At(x, y) == color) return true;
    return false;
  }
};

constexpr Color kBlack = Rgb(0, 0, 0), kYellow = Rgb(255, 255, 0), kGreen = Rgb(0, 128, 0), kBlue = Rgb(0, 0, 255);

Drawing GraphFrame(int tick) {
  Drawing d{382, 88, {}};
  d.operations.push_back(Drawing::Fill{kBlack});
  d.operations.push_back(Drawing::Line{39, 0, 39, 88, kYellow});
  d.operations.push_back(Drawing::Line{40, 71, 382, 71, kGreen});
  d.operations.push_back(Drawing::Line{100, 80, 110, 80, kGreen});
  d.operations.push_back(Drawing::Text{0, 0, " 10Kps", kYellow, kBlue});
  d.operations.push_back(Drawing::Line{200 + tick % 10, 10, 200 + tick % 10, 20, kYellow});
  return d;
}

TEST_F(Actions, AnImageShowsADrawingOpaqueAndLinesStopBeforeTheirEnd) {
  form.SetDrawing("Image_Graph", GraphFrame(0));
  Snapshot shot(form.ControlHandle("Image_Graph"), 382, 88);
  EXPECT_EQ(shot.At(300, 40), kBlack);
  EXPECT_EQ(shot.At(39, 40), kYellow);
  EXPECT_EQ(shot.At(381, 71), kGreen);
  EXPECT_EQ(shot.At(109, 80), kGreen);
  EXPECT_EQ(shot.At(110, 80), kBlack);  // drawn like LineTo: the last point is left out
  EXPECT_EQ(shot.At(1, 1), kBlue);      // the text's opaque background
  bool yellowText = false;
  for (int y = 0; y < 14; ++y) yellowText = yellowText || shot.HasInRow(y, 0, 38, kYellow);
  EXPECT_TRUE(yellowText);
  EXPECT_THROW(form.SetDrawing("Button_Go", GraphFrame(0)), std::invalid_argument);
}

TEST_F(Actions, RedrawingAGraphTensOfThousandsOfTimesLeaksNoGdiObject) {
  // A leak of one object a frame would use up the process's 65,536 GDI
  // handles well before the end.
  for (int tick = 0; tick < 66000; ++tick) form.SetDrawing("Image_Graph", GraphFrame(tick));
  form.SetDrawing("Image_Graph", GraphFrame(3));
  Snapshot shot(form.ControlHandle("Image_Graph"), 382, 88);
  EXPECT_EQ(shot.At(203, 15), kYellow);
  EXPECT_EQ(shot.At(39, 40), kYellow);
}

TEST_F(Actions, HintsBecomeTooltipsWhenTheMouseFirstRestsOnAComponentWithOne) {
  uitest::MouseEnter(form.ControlHandle("Button_Quiet"));
  EXPECT_EQ(form.TooltipWindow(), nullptr);  // no hint, no tooltip window
  uitest::MouseEnter(form.ControlHandle("Button_Go"));
  HWND tip = form.TooltipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  auto tipText = [&] {
    char text[128] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = GetParent(form.ControlHandle("Button_Go"));
    tool.uId = reinterpret_cast<UINT_PTR>(form.ControlHandle("Button_Go"));
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return std::string(text);
  };
  EXPECT_EQ(tipText(), "Starts the run");
  form.SetHint("Button_Go", "Startet den Lauf");  // as a language file does
  EXPECT_EQ(tipText(), "Startet den Lauf");
  EXPECT_EQ(form.Hint("Button_Go"), "Startet den Lauf");
  // The tooltip now watches the button's messages; its clicks still arrive.
  bool clicked = false;
  form.On("Button_Go", Event::Click, [&] { clicked = true; });
  uitest::ClickButton(form.ControlHandle("Button_Go"));
  EXPECT_TRUE(clicked);
}

TEST_F(Actions, AnimationSpeedScalesTheFramePace) {
  EXPECT_EQ(form.AnimationInterval("Image_Busy"), 0);
  const int stored = uitest::TestLook().FindPicture("Busy")->frameDelay;
  form.SetAnimation("Image_Busy", true, 100);
  EXPECT_EQ(form.AnimationInterval("Image_Busy"), stored);
  form.SetAnimation("Image_Busy", true, 1000);
  EXPECT_EQ(form.AnimationInterval("Image_Busy"), stored / 10);
  form.SetAnimation("Image_Busy", true, 5000);  // the speed is at most 1000 percent
  EXPECT_EQ(form.AnimationInterval("Image_Busy"), stored / 10);
  form.SetAnimation("Image_Busy", false, 1000);
  EXPECT_EQ(form.AnimationInterval("Image_Busy"), 0);
}

// A picture's first frame is computed ahead at the designed size; what
// happens to the image before its first paint still decides what it shows.
TEST(PreparedPictures, AnImageResizedOrGivenAnotherPictureBeforeItsFirstPaintShowsItsStateThen) {
  FormLayout f;
  f.className = "VelomarTestPrepared";
  f.clientWidth = 100;
  f.clientHeight = 50;
  f.color = Rgb(255, 255, 255);
  f.components = {Image("Image_Grown", {0, 0, 10, 10}).Picture("RecoverLink"),
                  Image("Image_Swapped", {50, 0, 40, 40}).Picture("RecoverLink")};
  ui::Form form(f, uitest::TestLook());
  form.Create();
  form.SetBounds("Image_Grown", {0, 0, 40, 40});
  form.SetPicture("Image_Swapped", "Program");
  constexpr COLORREF kLink = RGB(245, 204, 140), kProgramBlue = RGB(26, 77, 153);
  Snapshot grown(form.ControlHandle("Image_Grown"), 40, 40);
  EXPECT_EQ(grown.At(30, 30), kLink);
  Snapshot swapped(form.ControlHandle("Image_Swapped"), 40, 40);
  EXPECT_EQ(swapped.At(20, 20), kProgramBlue);
  EXPECT_NE(swapped.At(1, 1), kLink);
}

TEST(HandOver, AWorkersCallBringsBackItsResultAndItsException) {
  ui::Form form{ActionsLayout(), uitest::TestLook()};
  form.Create();
  std::string text;
  bool threw = false;
  std::thread worker([&] {
    form.SetText("Label_Wrapped", "from the worker");
    text = form.Text("Label_Wrapped");
    try {
      form.SetText("Label_Missing", "x");
    } catch (const std::invalid_argument&) {
      threw = true;
    }
  });
  while (!uitest::RunUntil([&] { return !text.empty() && threw; }, std::chrono::milliseconds(50))) {
  }
  worker.join();
  EXPECT_EQ(text, "from the worker");
  EXPECT_TRUE(threw);
}

TEST(HandOver, WorkStillQueuedWhenTheWindowGoesIsDroppedWithItsPayload) {
  auto payload = std::make_shared<int>(42);
  std::weak_ptr<int> watch = payload;
  bool ran = false;
  {
    ui::Form form{ActionsLayout(), uitest::TestLook()};
    form.Create();
    form.Post([&ran, payload] { ran = *payload == 42; });
    payload.reset();
    EXPECT_FALSE(watch.expired());  // the queue holds it
  }
  uitest::Settle();
  EXPECT_FALSE(ran);
  EXPECT_TRUE(watch.expired());
}

TEST(HandOver, PostedWorkRunsInOrderBehindTheQueuedMessages) {
  ui::Form form{ActionsLayout(), uitest::TestLook()};
  form.Create();
  std::string order;
  form.Post([&] { order += "a"; });
  std::thread worker([&] { form.Post([&] { order += "b"; }); });
  worker.join();
  form.Post([&] { order += "c"; });
  EXPECT_TRUE(uitest::RunUntil([&] { return order.size() == 3; }));
  EXPECT_EQ(order, "abc");
}

TEST(HandOver, AWindowsOwnMessageHandlersCannotTakeItsMessages) {
  ui::Form form{ActionsLayout(), uitest::TestLook()};
  std::vector<UINT> taken;
  for (UINT message = WM_APP; message < WM_APP + 16; ++message)
    form.OnMessage(message, [&taken, message](WPARAM, LPARAM) -> LRESULT {
      taken.push_back(message);
      return 0;
    });
  form.Create();
  bool posted = false;
  form.Post([&] { posted = true; });
  std::string text;
  std::thread worker([&] { text = form.Text("Label_Wrapped"); });
  if (!uitest::RunUntil([&] { return posted && !text.empty(); })) {
    worker.detach();  // its call waits for an answer that never comes until the window goes
    FAIL() << "the hand-over's messages were taken";
  }
  worker.join();
  EXPECT_EQ(text, "One line");
  EXPECT_TRUE(taken.empty());
  PostMessageA(form.Handle(), WM_APP + 9, 0, 0);  // the window's own messages still reach it
  EXPECT_TRUE(uitest::RunUntil([&] { return taken == std::vector<UINT>{WM_APP + 9}; }));
}

}  // namespace
}  // namespace velomar
