// What the in-memory window adds to the contract: the free-form window of
// scratch uses, the record of changes, and the stand-ins for the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/Layout.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

using Kind = WindowEvent::Kind;

TEST(FreeFormMemoryWindow, MakesEachControlOnFirstUseAndTakesEveryProperty) {
  MemoryWindow w;
  EXPECT_EQ(w.Text("Label_Doing"), "");
  EXPECT_TRUE(w.Enabled("Label_Doing"));
  EXPECT_EQ(w.ItemIndex("ComboBox_Mode"), -1);
  EXPECT_EQ(w.Position("ProgressBar_Optimize"), 0);
  EXPECT_TRUE(w.Components().empty());
  // Kinds are unknown: a progress bar reports its change as any position does.
  int changes = 0;
  w.On("ProgressBar_Optimize", Event::Change, [&] { ++changes; });
  w.SetRange("ProgressBar_Optimize", 0, 110);
  w.SetPosition("ProgressBar_Optimize", 200);
  EXPECT_EQ(w.Position("ProgressBar_Optimize"), 110);
  w.AppendRow("Label_Doing", {"a", "b", "c"});
  EXPECT_EQ(w.RowCount("Label_Doing"), 1);
  EXPECT_EQ(changes, 1);
}

TEST(FreeFormMemoryWindow, RecordsEveryChangeInOrder) {
  MemoryWindow w;
  w.OnPause([&] { w.SetText("Label_Doing", "paused"); });
  w.SetText("Label_Doing", "Reading");
  w.SetPosition("ProgressBar_Optimize", 4);
  w.AppendRow("ListView_Log", {"DefaultTTL", "No value", "64"});
  w.PauseForDisplay();
  w.SetBounds("", {1, 2, 3, 4});
  w.ShowMessage("Done", "Velomar", MessageIcon::Warning);
  std::vector<std::pair<Kind, std::string>> seen;
  for (const WindowEvent& e : w.Events()) seen.emplace_back(e.kind, e.control + "=" + e.value);
  EXPECT_EQ(seen, (std::vector<std::pair<Kind, std::string>>{{Kind::Text, "Label_Doing=Reading"},
                                                             {Kind::Position, "ProgressBar_Optimize=4"},
                                                             {Kind::Row, "ListView_Log=DefaultTTL\tNo value\t64"},
                                                             {Kind::Pause, "="},
                                                             {Kind::Text, "Label_Doing=paused"},
                                                             {Kind::Bounds, "=1,2,3,4"},
                                                             {Kind::Message, "=2\tVelomar\tDone"}}));
  EXPECT_EQ(w.PauseCount(), 1);
  w.ClearEvents();
  EXPECT_TRUE(w.Events().empty());
}

TEST(DesignedMemoryWindow, StartsAsDesignedWithNothingRecordedAndFiresForTheUser) {
  FormLayout layout;
  layout.caption = "Designed";
  layout.clientWidth = 200;
  layout.clientHeight = 100;
  layout.components = {layout::Button("Button_Go", {8, 8, 75, 25}, "Go").Hint("Starts"),
                       layout::Image("Image_Busy", {90, 8, 16, 16}), layout::Label("Label_Hot", {8, 40, 40, 20})};
  MemoryWindow w;
  DesignMemoryWindow(w, layout);
  EXPECT_TRUE(w.Events().empty());
  EXPECT_EQ(w.Caption(), "Designed");
  EXPECT_EQ(w.BoundsOf(""), (Bounds{0, 0, 200, 100}));
  EXPECT_EQ(w.Hint("Button_Go"), "Starts");

  std::vector<std::string> ran;
  w.On("", Event::Create, [&] { ran.push_back("create"); });
  w.On("Label_Hot", Event::MouseEnter, [&] { ran.push_back("enter"); });
  w.Fire("", Event::Create);
  w.Fire("Label_Hot", Event::MouseEnter);
  w.Fire("Label_Hot", Event::Click);  // no handler: nothing
  EXPECT_EQ(ran, (std::vector<std::string>{"create", "enter"}));
  EXPECT_THROW(w.Fire("Label_Missing", Event::Click), UnknownComponent);

  w.SetAnimation("Image_Busy", true, 1000);
  EXPECT_TRUE(w.Animating("Image_Busy"));
  EXPECT_EQ(w.AnimationSpeed("Image_Busy"), 1000);
  EXPECT_EQ(w.DrawingOf("Image_Busy"), nullptr);
  w.SetDrawing("Image_Busy", Drawing{16, 16, {Drawing::Fill{0}}});
  ASSERT_NE(w.DrawingOf("Image_Busy"), nullptr);
  EXPECT_EQ(w.DrawingOf("Image_Busy")->width, 16);
  EXPECT_THROW(w.Animating("Button_Go"), NotSupported);
}

}  // namespace
}  // namespace velomar
