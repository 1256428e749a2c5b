// The window-state contract, run on both windows: natively and under Wine
// on the in-memory window (window_tests), under Wine on the Win32
// form (window_contract_form). The window logic is tested on the first and
// runs on the second, so both must answer every seam call alike: for every
// kind, for names the window does not hold, and for properties a kind lacks.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ContractWindow.h"
#include "support/EveryKindLayout.h"
#include "window/Capabilities.h"

namespace velomar {
namespace {

using test::EveryKindLayout;
using test::ShownMessage;

// Every seam call that names a component, with the capability it needs
// (none: every component has it).
struct NamedCall {
  const char* operation;
  std::optional<Capability> capability;
  std::function<void(WindowState&, const std::string&)> call;
};

std::vector<NamedCall> NamedCalls() {
  using C = Capability;
  using W = WindowState;
  using N = const std::string&;
  // clang-format off
  return {
      {"On",            {},            [](W& w, N n) { w.On(n, Event::Click, [] {}); }},
      {"Text",          {},            [](W& w, N n) { w.Text(n); }},
      {"SetText",       {},            [](W& w, N n) { w.SetText(n, "text"); }},
      {"Enabled",       {},            [](W& w, N n) { w.Enabled(n); }},
      {"SetEnabled",    {},            [](W& w, N n) { w.SetEnabled(n, true); }},
      {"Visible",       {},            [](W& w, N n) { w.Visible(n); }},
      {"SetVisible",    {},            [](W& w, N n) { w.SetVisible(n, true); }},
      {"Bold",          {},            [](W& w, N n) { w.Bold(n); }},
      {"SetBold",       {},            [](W& w, N n) { w.SetBold(n, false); }},
      {"Hint",          {},            [](W& w, N n) { w.Hint(n); }},
      {"SetHint",       {},            [](W& w, N n) { w.SetHint(n, "hint"); }},
      {"Focus",         {},            [](W& w, N n) { w.Focus(n); }},
      {"BoundsOf",      {},            [](W& w, N n) { w.BoundsOf(n); }},
      {"SetBounds",     {},            [](W& w, N n) { w.SetBounds(n, {1, 1, 20, 20}); }},
      {"ReadOnly",      C::EditText,   [](W& w, N n) { w.ReadOnly(n); }},
      {"SetReadOnly",   C::EditText,   [](W& w, N n) { w.SetReadOnly(n, true); }},
      {"Checked",       C::Check,      [](W& w, N n) { w.Checked(n); }},
      {"SetChecked",    C::Check,      [](W& w, N n) { w.SetChecked(n, true); }},
      {"Items",         C::Choice,     [](W& w, N n) { w.Items(n); }},
      {"ItemIndex",     C::Choice,     [](W& w, N n) { w.ItemIndex(n); }},
      {"SetItemIndex",  C::Choice,     [](W& w, N n) { w.SetItemIndex(n, 0); }},
      {"SetItems",      C::ItemList,   [](W& w, N n) { w.SetItems(n, {"a", "b"}); }},
      {"AddItem",       C::ItemList,   [](W& w, N n) { w.AddItem(n, "c"); }},
      {"Position",      C::Range,      [](W& w, N n) { w.Position(n); }},
      {"SetPosition",   C::Range,      [](W& w, N n) { w.SetPosition(n, 1); }},
      {"AppendRow",     C::Rows,       [](W& w, N n) { w.AppendRow(n, {"a", "b", "c"}); }},
      {"RowCount",      C::Rows,       [](W& w, N n) { w.RowCount(n); }},
      {"Rows",          C::Rows,       [](W& w, N n) { w.Rows(n); }},
      {"ClearRows",     C::Rows,       [](W& w, N n) { w.ClearRows(n); }},
      {"ScrollBy",      C::Rows,       [](W& w, N n) { w.ScrollBy(n, 1); }},
      {"Columns",       C::Rows,       [](W& w, N n) { w.Columns(n); }},
      {"SetColumnText", C::Rows,       [](W& w, N n) { w.SetColumnText(n, 0, "Name"); }},
      {"SetRowCaption", C::Rows,       [](W& w, N n) { w.SetRowCaption(n, 0, "a"); }},
      {"SetAnimation",  C::Picture,    [](W& w, N n) { w.SetAnimation(n, false, 100); }},
      {"SetDrawing",    C::Picture,    [](W& w, N n) { w.SetDrawing(n, Drawing{4, 4, {Drawing::Fill{0}}}); }},
  };
  // clang-format on
}

class WindowContract : public ::testing::Test {
 protected:
  FormLayout layout = EveryKindLayout();
  std::unique_ptr<test::ContractWindow> under = test::MakeContractWindow(layout);
  WindowState& w = under->Window();
  std::vector<std::string> fired;

  // Records each run of a component's handler of `event`.
  void Watch(const std::string& name, Event event, const std::string& as) {
    w.On(name, event, [this, as] { fired.push_back(as); });
  }
  std::vector<std::string> Fired() { return std::exchange(fired, {}); }
};

TEST_F(WindowContract, ListsItsComponentsInLayoutOrderWithKindAndTag) {
  const std::vector<ComponentInfo> listed = w.Components();
  ASSERT_EQ(listed.size(), layout.components.size());
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const Component& c = layout.components[i];
    EXPECT_EQ(listed[i], (ComponentInfo{c.name, c.kind, c.tag})) << c.name;
  }
  EXPECT_EQ(w.Caption(), "Designed window");
  w.SetCaption("Vertrag");
  EXPECT_EQ(w.Caption(), "Vertrag");
}

TEST_F(WindowContract, ANameTheWindowDoesNotHoldIsAnUnknownComponentForEveryCall) {
  for (const NamedCall& named : NamedCalls()) {
    try {
      named.call(w, "Label_Missing");
      ADD_FAILURE() << named.operation << " accepted an unknown name";
    } catch (const UnknownComponent& e) {
      EXPECT_EQ(e.Component(), "Label_Missing") << named.operation;
      EXPECT_EQ(e.Operation(), named.operation);
      EXPECT_NE(std::string(e.what()).find("Label_Missing"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(named.operation), std::string::npos) << e.what();
    }
  }
  // The window's own events are Create and Show; it has no click.
  EXPECT_THROW(w.On("", Event::Click, [] {}), UnknownComponent);
}

TEST_F(WindowContract, EveryKindAnswersWhatItHasAndRefusesTheRestAsNotSupported) {
  for (const Component& c : layout.components) {
    for (const NamedCall& named : NamedCalls()) {
      const bool has = !named.capability || KindHas(c.kind, *named.capability);
      try {
        named.call(w, c.name);
        EXPECT_TRUE(has) << c.name << " accepted " << named.operation;
      } catch (const NotSupported& e) {
        EXPECT_FALSE(has) << c.name << " refused " << named.operation;
        EXPECT_EQ(e.Component(), c.name);
        EXPECT_EQ(e.Operation(), named.operation);
        EXPECT_NE(std::string(e.what()).find(c.name), std::string::npos) << e.what();
      }
    }
  }
}

TEST_F(WindowContract, TextsStatesAndHintsReadBackAsSet) {
  EXPECT_EQ(w.Text("Label_Title"), "Designed title");
  EXPECT_EQ(w.Text("Label_Hidden"), "Hidden text");  // hidden components hold texts
  EXPECT_EQ(w.Hint("Label_Title"), "Designed title hint");
  EXPECT_FALSE(w.Visible("Label_Hidden"));
  EXPECT_FALSE(w.Enabled("Timer_Show"));
  for (const char* name : {"Label_Title", "GroupBox_Choice", "RadioButton_One", "CheckBox_Option", "Button_Go",
                           "TabSheet_Second", "Edit_Value", "Panel_Back", "TrackBar_Speed", "ProgressBar_Run"}) {
    w.SetText(name, std::string("new ") + name);
    EXPECT_EQ(w.Text(name), std::string("new ") + name);
    w.SetHint(name, "a hint");
    EXPECT_EQ(w.Hint(name), "a hint") << name;
  }
  for (const char* name : {"Label_Title", "Button_Go", "Edit_Value", "ListView_Log", "Image_Icon"}) {
    w.SetEnabled(name, false);
    EXPECT_FALSE(w.Enabled(name)) << name;
    w.SetEnabled(name, true);
    EXPECT_TRUE(w.Enabled(name)) << name;
    w.SetVisible(name, false);
    EXPECT_FALSE(w.Visible(name)) << name;
    w.SetVisible(name, true);
    EXPECT_TRUE(w.Visible(name)) << name;
    EXPECT_FALSE(w.Bold(name));
    w.SetBold(name, true);
    EXPECT_TRUE(w.Bold(name)) << name;
  }
}

TEST_F(WindowContract, ComponentBoundsAndTheWindowsFrameReadBackAsSet) {
  EXPECT_EQ(w.BoundsOf("Button_Go"), (Bounds{380, 8, 75, 25}));
  w.SetBounds("Button_Go", {300, 20, 90, 30});
  EXPECT_EQ(w.BoundsOf("Button_Go"), (Bounds{300, 20, 90, 30}));
  w.SetBounds("", {40, 30, 500, 400});
  EXPECT_EQ(w.BoundsOf(""), (Bounds{40, 30, 500, 400}));
}

TEST_F(WindowContract, CheckBoxesClickOnEveryChangeAndRadioButtonsWhenTheyBecomeTheCheckedOneOfTheirParent) {
  Watch("CheckBox_Option", Event::Click, "option");
  Watch("RadioButton_One", Event::Click, "one");
  Watch("RadioButton_Two", Event::Click, "two");
  w.SetChecked("CheckBox_Option", true);
  w.SetChecked("CheckBox_Option", true);
  EXPECT_TRUE(w.Checked("CheckBox_Option"));
  w.SetChecked("CheckBox_Option", false);
  EXPECT_EQ(Fired(), (std::vector<std::string>{"option", "option"}));

  EXPECT_TRUE(w.Checked("RadioButton_Two"));
  w.SetChecked("RadioButton_One", true);
  EXPECT_TRUE(w.Checked("RadioButton_One"));
  EXPECT_FALSE(w.Checked("RadioButton_Two"));
  EXPECT_TRUE(w.Checked("RadioButton_Other")) << "another parent, another group";
  w.SetChecked("RadioButton_One", true);
  w.SetChecked("RadioButton_One", false);
  EXPECT_FALSE(w.Checked("RadioButton_One"));
  EXPECT_EQ(Fired(), (std::vector<std::string>{"one"}));

  // A later handler replaces the earlier one.
  Watch("CheckBox_Option", Event::Click, "replaced");
  w.SetChecked("CheckBox_Option", true);
  EXPECT_EQ(Fired(), (std::vector<std::string>{"replaced"}));
}

TEST_F(WindowContract, AComboBoxKeepsItsItemsAndSelectsOnlyAnItemItHolds) {
  const std::string name = "ComboBox_Mode";
  EXPECT_EQ(w.Items(name), (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(w.ItemIndex(name), -1);
  w.SetItemIndex(name, 1);
  EXPECT_EQ(w.ItemIndex(name), 1);
  w.AddItem(name, "added");
  EXPECT_EQ(w.Items(name).back(), "added");
  EXPECT_EQ(w.ItemIndex(name), 1) << "adding keeps the choice";
  w.SetItemIndex(name, 9);
  EXPECT_EQ(w.ItemIndex(name), -1);
  w.SetItemIndex(name, 0);
  w.SetItems(name, {"x", "y", "z"});
  EXPECT_EQ(w.Items(name), (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(w.ItemIndex(name), -1) << "new items, no choice";
}

TEST_F(WindowContract, APageControlsItemsAreItsPagesAndItStaysOnAPageForAnIndexItLacks) {
  EXPECT_EQ(w.Items("PageControl_Pages"), (std::vector<std::string>{"Designed sheet", "Second"}));
  EXPECT_EQ(w.ItemIndex("PageControl_Pages"), 0);
  w.SetItemIndex("PageControl_Pages", 1);
  EXPECT_EQ(w.ItemIndex("PageControl_Pages"), 1);
  w.SetItemIndex("PageControl_Pages", 5);
  EXPECT_EQ(w.ItemIndex("PageControl_Pages"), 1);
}

TEST_F(WindowContract, PositionsStayInTheirRangeAndOnlyATrackBarReportsAChange) {
  Watch("TrackBar_Speed", Event::Change, "speed");
  Watch("ProgressBar_Run", Event::Change, "progress");
  EXPECT_EQ(w.Position("TrackBar_Speed"), 0);
  EXPECT_EQ(w.Position("ProgressBar_Run"), 55);
  w.SetPosition("TrackBar_Speed", 3);
  w.SetPosition("TrackBar_Speed", 3);
  EXPECT_EQ(Fired(), (std::vector<std::string>{"speed"}));
  w.SetPosition("TrackBar_Speed", 99);
  EXPECT_EQ(w.Position("TrackBar_Speed"), 10);
  w.SetPosition("TrackBar_Speed", -4);
  EXPECT_EQ(w.Position("TrackBar_Speed"), 0);
  w.SetPosition("ProgressBar_Run", 70);
  EXPECT_EQ(w.Position("ProgressBar_Run"), 70);
  w.SetPosition("ProgressBar_Run", 500);
  EXPECT_EQ(w.Position("ProgressBar_Run"), 110);
  EXPECT_EQ(Fired(), (std::vector<std::string>{"speed", "speed"}));
}

TEST_F(WindowContract, AListViewKeepsItsRowsAndColumns) {
  EXPECT_EQ(w.RowCount("ListView_Log"), 0);
  w.AppendRow("ListView_Log", {"DefaultTTL", "No value", "64"});
  w.AppendRow("ListView_Log", {"SackOpts", "0", "1"});
  w.ScrollBy("ListView_Log", 40);
  ASSERT_EQ(w.RowCount("ListView_Log"), 2);
  EXPECT_EQ(w.Rows("ListView_Log")[1], (LogRow{"SackOpts", "0", "1"}));
  w.SetRowCaption("ListView_Log", 1, "Selective acknowledgements");
  w.SetRowCaption("ListView_Log", 7, "no such row");
  EXPECT_EQ(w.Rows("ListView_Log")[1], (LogRow{"Selective acknowledgements", "0", "1"}));
  EXPECT_EQ(w.Columns("ListView_Log"), (std::vector<std::string>{"Name", "Old Value", "New Value"}));
  w.SetColumnText("ListView_Log", 1, "Alter Wert");
  w.SetColumnText("ListView_Log", 3, "no such column");
  EXPECT_EQ(w.Columns("ListView_Log"), (std::vector<std::string>{"Name", "Alter Wert", "New Value"}));
  w.ClearRows("ListView_Log");
  EXPECT_EQ(w.RowCount("ListView_Log"), 0);
  EXPECT_TRUE(w.Rows("ListView_Log").empty());
}

TEST_F(WindowContract, AnEditBoxReportsEveryTextSetAndKeepsItsReadOnlyState) {
  Watch("Edit_Value", Event::Change, "edit");
  w.SetText("Edit_Value", "1500");
  w.SetText("Edit_Value", "1492");
  EXPECT_EQ(Fired(), (std::vector<std::string>{"edit", "edit"}));
  EXPECT_TRUE(w.ReadOnly("Edit_Value"));
  w.SetReadOnly("Edit_Value", false);
  EXPECT_FALSE(w.ReadOnly("Edit_Value"));
}

TEST_F(WindowContract, TheFocusRunsTheEnterHandlerOfTheComponentItMovesTo) {
  Watch("Edit_Value", Event::Enter, "edit");
  Watch("Button_Go", Event::Enter, "go");
  w.Focus("Edit_Value");
  w.Focus("Button_Go");
  w.Focus("Edit_Value");
  w.Focus("Edit_Value");
  w.Focus("");  // the window itself
  w.Focus("Edit_Value");
  EXPECT_EQ(Fired(), (std::vector<std::string>{"edit", "go", "edit", "edit"}));
}

TEST_F(WindowContract, MessagesPausesAndClosing) {
  w.ShowMessage("Finished", "Velomar", MessageIcon::Information);
  w.ShowMessage("Not everything", "Reset", MessageIcon::Warning);
  EXPECT_EQ(under->Messages(), (std::vector<ShownMessage>{{"Finished", "Velomar", MessageIcon::Information},
                                                          {"Not everything", "Reset", MessageIcon::Warning}}));
  w.SetAnimation("Image_Icon", true, 1000);
  w.SetAnimation("Image_Icon", false, 100);
  w.SetDrawing("Image_Icon", Drawing{32, 32, {Drawing::Fill{0}}});
  w.PauseForDisplay();  // no timer runs: it returns at once
  w.OpenHelpPage();     // no help page named: nothing opens
  EXPECT_FALSE(under->Closed());
  w.CloseWindow();
  EXPECT_TRUE(under->Closed());
}

}  // namespace
}  // namespace velomar
