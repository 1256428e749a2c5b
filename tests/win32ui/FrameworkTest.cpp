// The window framework on a test window that uses every kind of component.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "lang/Translator.h"
#include "platform/MessageWait.h"
#include "support/TestSupport.h"
#include "support/UiHarness.h"
#include "win32ui/Form.h"

namespace velomar {
namespace {

using K = ComponentKind;
using ui::Event;
using namespace uitest;

// The framework's own look and input on one window: colours, fonts,
// pictures, a hot zone over a link, pages with and without tabs. How each
// kind answers the seam is the contract suite's (support/EveryKindLayout.h).
FormLayout LookAndInputLayout() {
  FormLayout f;
  f.className = "VelomarTestLookAndInput";
  f.caption = "Every kind";
  f.clientWidth = 424;
  f.clientHeight = 330;
  f.minimizeBox = true;
  const Color dark = Rgb(10, 78, 146);
  f.components = {
      {.name = "Panel_Back",
       .kind = K::Panel,
       .x = 0,
       .y = 0,
       .width = 424,
       .height = 330,
       .color = Rgb(230, 230, 230)},
      {.name = "Image_Icon",
       .kind = K::Image,
       .parent = "Panel_Back",
       .x = 8,
       .y = 4,
       .width = 48,
       .height = 48,
       .picture = "Program",
       .stretch = true},
      {.name = "Label_Title",
       .kind = K::Label,
       .parent = "Panel_Back",
       .x = 64,
       .y = 6,
       .caption = "Every kind",
       .fontHeight = 17,
       .bold = true,
       .fontColor = dark},
      {.name = "Label_Intro",
       .kind = K::Label,
       .parent = "Panel_Back",
       .x = 64,
       .y = 30,
       .width = 210,
       .caption = "A window with every kind of component, word-wrapped.",
       .wordWrap = true},
      {.name = "Image_Link",
       .kind = K::Image,
       .parent = "Panel_Back",
       .x = 300,
       .y = 8,
       .width = 60,
       .height = 17,
       .handCursor = true,
       .picture = "RecoverLink"},
      {.name = "Label_Link",
       .kind = K::Label,
       .parent = "Panel_Back",
       .x = 311,
       .y = 10,
       .caption = "recover",
       .fontHeight = 12,
       .transparent = true,
       .handCursor = true},
      {.name = "Label_Hot",
       .kind = K::Label,
       .parent = "Panel_Back",
       .x = 298,
       .y = 6,
       .width = 66,
       .height = 21,
       .transparent = true,
       .handCursor = true},
      {.name = "Label_Message",
       .kind = K::Label,
       .parent = "Panel_Back",
       .x = 300,
       .y = 40,
       .caption = "a message text",
       .hidden = true},
      {.name = "Label_Outside", .kind = K::Label, .parent = "Panel_Back", .x = 500, .y = 10, .caption = "outside"},
      {.name = "GroupBox_Choice",
       .kind = K::GroupBox,
       .parent = "Panel_Back",
       .x = 8,
       .y = 60,
       .width = 200,
       .height = 78,
       .caption = "Choice",
       .bold = true,
       .fontColor = kHighlightColor},
      {.name = "RadioButton_A",
       .kind = K::RadioButton,
       .parent = "GroupBox_Choice",
       .x = 12,
       .y = 22,
       .width = 150,
       .height = 17,
       .caption = "First choice",
       .checked = true},
      {.name = "RadioButton_B",
       .kind = K::RadioButton,
       .parent = "GroupBox_Choice",
       .x = 12,
       .y = 46,
       .width = 150,
       .height = 17,
       .caption = "Second choice",
       .bold = true},
      {.name = "CheckBox_Option",
       .kind = K::CheckBox,
       .parent = "Panel_Back",
       .x = 220,
       .y = 62,
       .width = 110,
       .height = 17,
       .caption = "An option"},
      {.name = "Edit_Value",
       .kind = K::Edit,
       .parent = "Panel_Back",
       .x = 220,
       .y = 86,
       .width = 80,
       .height = 21,
       .caption = "42",
       .maxLength = 3},
      {.name = "ComboBox_Mode",
       .kind = K::ComboBox,
       .parent = "Panel_Back",
       .x = 220,
       .y = 114,
       .width = 110,
       .items = {"System default", "Yes", "No"}},
      {.name = "Button_Go",
       .kind = K::Button,
       .parent = "Panel_Back",
       .x = 340,
       .y = 84,
       .width = 75,
       .height = 25,
       .caption = "Go"},
      {.name = "TrackBar_Speed",
       .kind = K::TrackBar,
       .parent = "Panel_Back",
       .x = 8,
       .y = 144,
       .width = 250,
       .height = 33,
       .minimum = 0,
       .maximum = 10},
      {.name = "ProgressBar_Run",
       .kind = K::ProgressBar,
       .parent = "Panel_Back",
       .x = 266,
       .y = 150,
       .width = 150,
       .height = 16,
       .minimum = 0,
       .maximum = 110,
       .position = 55},
      {.name = "ListView_Log",
       .kind = K::ListView,
       .parent = "Panel_Back",
       .x = 8,
       .y = 184,
       .width = 250,
       .height = 96,
       .readOnly = true,
       .columns = {"Name", "Old Value", "New Value"},
       .columnWidths = {110, 65, 65}},
      {.name = "PageControl_Tabs",
       .kind = K::PageControl,
       .parent = "Panel_Back",
       .x = 266,
       .y = 176,
       .width = 150,
       .height = 104},
      {.name = "TabSheet_One", .kind = K::TabSheet, .parent = "PageControl_Tabs", .caption = "One"},
      {.name = "Label_OnOne", .kind = K::Label, .parent = "TabSheet_One", .x = 8, .y = 8, .caption = "first page"},
      {.name = "TabSheet_Two", .kind = K::TabSheet, .parent = "PageControl_Tabs", .caption = "Two"},
      {.name = "Label_OnTwo", .kind = K::Label, .parent = "TabSheet_Two", .x = 8, .y = 8, .caption = "second page"},
      {.name = "PageControl_Flat",
       .kind = K::PageControl,
       .parent = "Panel_Back",
       .x = 8,
       .y = 288,
       .width = 200,
       .height = 36,
       .tabsVisible = false},
      {.name = "TabSheet_FlatA", .kind = K::TabSheet, .parent = "PageControl_Flat", .caption = "A"},
      {.name = "Label_FlatA", .kind = K::Label, .parent = "TabSheet_FlatA", .x = 4, .y = 4, .caption = "flat page A"},
      {.name = "TabSheet_FlatB", .kind = K::TabSheet, .parent = "PageControl_Flat", .caption = "B"},
      {.name = "Label_FlatB", .kind = K::Label, .parent = "TabSheet_FlatB", .x = 4, .y = 4, .caption = "flat page B"},
      {.name = "Image_Busy",
       .kind = K::Image,
       .parent = "Panel_Back",
       .x = 220,
       .y = 296,
       .width = 16,
       .height = 16,
       .transparent = true,
       .picture = "Busy",
       .stretch = true},
      {.name = "Timer_Show", .kind = K::Timer, .interval = 100},
  };
  return f;
}

struct EveryKind : ::testing::Test {
  ui::Form form{LookAndInputLayout(), TestLook()};
  MessageBoxRecorder boxes;
  std::vector<std::string> events;
  int ticks = 0;

  EveryKind() {
    auto log = [this](std::string what) { return [this, what] { events.push_back(what); }; };
    form.On("Label_Hot", Event::MouseEnter, [this] { form.SetBold("Label_Link", true); });
    form.On("Label_Hot", Event::MouseLeave, [this] { form.SetBold("Label_Link", false); });
    form.On("Label_Hot", Event::Click, log("hot click"));
    form.On("Button_Go", Event::Click, log("go"));
    form.On("CheckBox_Option", Event::Click, log("option"));
    form.On("RadioButton_B", Event::Click, log("second"));
    form.On("Edit_Value", Event::Change, log("edit"));
    form.On("ComboBox_Mode", Event::Change, log("mode"));
    form.On("TrackBar_Speed", Event::Change,
            [this] { events.push_back("speed " + std::to_string(form.Position("TrackBar_Speed"))); });
    form.On("TrackBar_Speed", Event::Enter, log("speed enter"));
    form.On("PageControl_Tabs", Event::Change, log("page"));
    form.On("Timer_Show", Event::Timer, [this] {
      ++ticks;
      form.EndPauseForDisplay();
    });
    form.On("", Event::Create, log("create"));
    form.On("", Event::Show, log("show"));
    form.Create();
    form.Show();
  }
  HWND At(const char* name) { return form.ControlHandle(name); }
  bool Happened(const std::string& what) { return std::find(events.begin(), events.end(), what) != events.end(); }
};

TEST_F(EveryKind, CreatesEveryComponentAndIsSavedAsAScreenshot) {
  EXPECT_TRUE(Happened("create"));
  EXPECT_TRUE(Happened("show"));
  for (const auto& component : form.Components()) {
    if (component.kind == K::Timer) continue;
    EXPECT_NE(form.ControlHandle(component.name), nullptr) << component.name;
  }
  EXPECT_EQ(GetParent(At("RadioButton_A")), At("GroupBox_Choice"));
  EXPECT_FALSE(form.Visible("Label_Message"));
  EXPECT_EQ(form.Text("Label_Message"), "a message text");  // hidden labels hold texts
  EXPECT_EQ(form.Position("ProgressBar_Run"), 55);
  // A word-wrapped label keeps to its width and grows downwards.
  RECT intro;
  GetWindowRect(At("Label_Intro"), &intro);
  EXPECT_EQ(intro.right - intro.left, 210);
  EXPECT_GT(intro.bottom - intro.top, 20);  // two lines
  form.AppendRow("ListView_Log", {"DefaultTTL", "No value", "64"});
  form.AppendRow("ListView_Log", {"SackOpts", "0", "1"});
  form.SetAnimation("Image_Busy", true);
  Settle(std::chrono::milliseconds(250));
  std::string error;
  EXPECT_TRUE(SaveScreenshot(form.Handle(), "every_kind_window", error)) << error;
}

TEST_F(EveryKind, TheHotZoneLiesAboveTheLinkAndHoverMakesItBold) {
  RECT image;
  GetWindowRect(At("Image_Link"), &image);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&image), 2);
  EXPECT_EQ(ControlAt(form.Handle(), (image.left + image.right) / 2, (image.top + image.bottom) / 2), At("Label_Hot"));
  EXPECT_FALSE(form.Bold("Label_Link"));
  MouseEnter(At("Label_Hot"));
  EXPECT_TRUE(form.Bold("Label_Link"));
  MouseLeave(At("Label_Hot"));
  EXPECT_FALSE(form.Bold("Label_Link"));
  ClickAt(At("Label_Hot"));
  EXPECT_TRUE(Happened("hot click"));
}

TEST_F(EveryKind, InputReachesTheHandlersAndReadsBack) {
  SetWindowTextA(At("Edit_Value"), "");
  events.clear();
  Type(At("Edit_Value"), "12345");
  EXPECT_EQ(form.Text("Edit_Value"), "123");  // at most three characters
  EXPECT_GE(std::count(events.begin(), events.end(), "edit"), 3);

  ChooseItem(At("ComboBox_Mode"), 2);
  EXPECT_TRUE(Happened("mode"));
  EXPECT_EQ(form.ItemIndex("ComboBox_Mode"), 2);
  EXPECT_EQ(form.Items("ComboBox_Mode"), (std::vector<std::string>{"System default", "Yes", "No"}));

  ClickButton(At("CheckBox_Option"));
  EXPECT_TRUE(form.Checked("CheckBox_Option"));
  ClickButton(At("RadioButton_B"));
  EXPECT_TRUE(form.Checked("RadioButton_B"));
  EXPECT_FALSE(form.Checked("RadioButton_A"));
  ClickButton(At("Button_Go"));
  EXPECT_TRUE(Happened("option") && Happened("second") && Happened("go"));
}

TEST_F(EveryKind, TrackBarChangesFireOnlyWhenThePositionChanges) {
  events.clear();
  PressKey(At("TrackBar_Speed"), VK_RIGHT, 3);
  EXPECT_TRUE(Happened("speed enter"));
  EXPECT_EQ(form.Position("TrackBar_Speed"), 3);
  EXPECT_TRUE(Happened("speed 1") && Happened("speed 2") && Happened("speed 3"));
  events.clear();
  form.SetPosition("TrackBar_Speed", 3);
  EXPECT_TRUE(events.empty());
  form.SetPosition("TrackBar_Speed", 7);
  EXPECT_EQ(events, (std::vector<std::string>{"speed 7"}));
}

TEST_F(EveryKind, ProgramChangesOfChecksClickAsOnARealWindow) {
  events.clear();
  form.SetChecked("CheckBox_Option", true);
  form.SetChecked("CheckBox_Option", true);
  form.SetChecked("RadioButton_B", true);
  EXPECT_EQ(events, (std::vector<std::string>{"option", "second"}));
  EXPECT_FALSE(form.Checked("RadioButton_A"));
}

TEST_F(EveryKind, PagesSwitchByTabAndByProgram) {
  EXPECT_TRUE(IsWindowVisible(At("Label_OnOne")));
  EXPECT_FALSE(IsWindowVisible(At("Label_OnTwo")));
  SendMessageA(At("PageControl_Tabs"), TCM_SETCURSEL, 1, 0);
  NMHDR header{At("PageControl_Tabs"), static_cast<UINT_PTR>(GetDlgCtrlID(At("PageControl_Tabs"))),
               static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(GetParent(At("PageControl_Tabs")), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  EXPECT_TRUE(Happened("page"));
  EXPECT_EQ(form.ItemIndex("PageControl_Tabs"), 1);
  EXPECT_TRUE(IsWindowVisible(At("Label_OnTwo")));
  EXPECT_FALSE(IsWindowVisible(At("Label_OnOne")));

  EXPECT_TRUE(IsWindowVisible(At("Label_FlatA")));
  form.SetItemIndex("PageControl_Flat", 1);
  EXPECT_TRUE(IsWindowVisible(At("Label_FlatB")));
  EXPECT_FALSE(IsWindowVisible(At("Label_FlatA")));
}

TEST_F(EveryKind, TheLanguageTablesTranslateTheRealControls) {
  ASSERT_TRUE(Translator(test::DataFile("lang/Framework.lng")).TranslateForm("Test_Every", form));
  EXPECT_EQ(form.Caption(), "Jede Art");
  EXPECT_EQ(form.Text("Label_Title"), "Jede Art von Komponente");
  EXPECT_EQ(form.Columns("ListView_Log"), (std::vector<std::string>{"Name", "Alter Wert", "New Value"}));
  char header[64] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = header;
  column.cchTextMax = sizeof(header);
  SendMessageA(At("ListView_Log"), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(header, "Alter Wert");
  EXPECT_EQ(form.Items("ComboBox_Mode")[0], "Systemvorgabe");
  EXPECT_EQ(form.Text("TabSheet_One"), "Eins");
}

TEST_F(EveryKind, PauseForDisplayReturnsOnTheNextTimerTick) {
  const int before = ticks;
  form.PauseForDisplay();
  EXPECT_EQ(ticks, before + 1);
}

TEST_F(EveryKind, UpdatesFromAWorkerArriveInOrder) {
  platform::DoneFlag done;
  std::thread worker([&] {
    for (int i = 0; i < 30; ++i) {
      if (i % 10 == 0) form.PauseForDisplay();
      form.SetText("Label_Message", "row " + std::to_string(i));
      form.AppendRow("ListView_Log", {"value" + std::to_string(i), std::to_string(i), std::to_string(i + 1)});
      form.SetPosition("ProgressBar_Run", i);
    }
    done.Set();
  });
  done.WaitProcessingMessages();
  worker.join();
  const auto rows = form.Rows("ListView_Log");
  ASSERT_EQ(rows.size(), 30u);
  for (int i = 0; i < 30; ++i)
    EXPECT_EQ(rows[i], (LogRow{"value" + std::to_string(i), std::to_string(i), std::to_string(i + 1)}));
  EXPECT_EQ(form.Text("Label_Message"), "row 29");
  EXPECT_EQ(form.Position("ProgressBar_Run"), 29);
  form.ClearRows("ListView_Log");
  EXPECT_EQ(form.RowCount("ListView_Log"), 0);
}

TEST_F(EveryKind, AnExceptionFromAHandlerIsReportedAndTheWindowStaysUsable) {
  form.On("Button_Go", Event::Click, [] { throw std::runtime_error("Something failed"); });
  ClickButton(At("Button_Go"));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Something failed");
  EXPECT_EQ(boxes.Boxes()[0].title, "Velomar");
  EXPECT_TRUE(boxes.Boxes()[0].style & MB_ICONERROR);
  EXPECT_TRUE(form.IsShowing());
  form.On("Button_Go", Event::Click, [this] { events.push_back("go again"); });
  ClickButton(At("Button_Go"));
  EXPECT_TRUE(Happened("go again"));
}

TEST_F(EveryKind, ShowModalDisablesTheOwnerAndReturnsWhenTheWindowCloses) {
  ui::Form dialog{{.className = "VelomarTestDialog",
                   .caption = "Dialog",
                   .clientWidth = 120,
                   .clientHeight = 60,
                   .components = {{.name = "Button_Close",
                                   .kind = K::Button,
                                   .x = 20,
                                   .y = 16,
                                   .width = 75,
                                   .height = 25,
                                   .caption = "Close"}}},
                  TestLook()};
  dialog.On("Button_Close", Event::Click, [&] { dialog.Close(); });
  dialog.Create();
  bool ownerWasDisabled = false;
  dialog.Post([&] {
    ownerWasDisabled = !IsWindowEnabled(form.Handle());
    ClickButton(dialog.ControlHandle("Button_Close"));
  });
  dialog.ShowModal(form.Handle());
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
  EXPECT_FALSE(dialog.IsShowing());
  // The close box of the frame ends a modal showing too.
  dialog.Post([&] { SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0); });
  dialog.ShowModal(form.Handle());
  EXPECT_FALSE(dialog.IsShowing());
}

}  // namespace
}  // namespace velomar
