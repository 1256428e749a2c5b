#pragma once
// A window holding one component of every kind, each where a Win32 window
// allows it, with designed texts, hints, columns and items: the window
// contract suite runs on it in memory and as a Win32 form, the language
// suite and the translator's fuzz target translate it.
#include "window/Layout.h"

namespace velomar::test {

inline FormLayout EveryKindLayout() {
  using namespace layout;
  FormLayout f;
  f.className = "VelomarTestEveryKind";
  f.caption = "Designed window";
  f.clientWidth = 480;
  f.clientHeight = 360;
  const char* back = "Panel_Back";
  const char* group = "GroupBox_Choice";
  // clang-format off
  f.components = {
      Make(ComponentKind::Panel, back,    {0, 0, 480, 360}, "designed panel"),
      Label("Label_Title",                {8, 8}, "Designed title").In(back).Hint("Designed title hint").Tag(3),
      Image("Image_Icon",                 {200, 8, 32, 32}).In(back).Hint("Designed picture"),
      GroupBox(group,                     {8, 52, 180, 72}, "Designed group").In(back),
      RadioButton("RadioButton_One",      {8, 18, 150, 17}, "Designed one").In(group),
      RadioButton("RadioButton_Two",      {8, 44, 150, 17}, "Two").In(group).Checked(),
      RadioButton("RadioButton_Other",    {200, 52, 150, 17}, "Other group").In(back).Checked(),
      CheckBox("CheckBox_Option",         {200, 76, 150, 17}, "Designed option").In(back),
      Button("Button_Go",                 {380, 8, 75, 25}, "Designed go").In(back).Hint("Designed go hint"),
      Other("XPManifest"),
      PageControl("PageControl_Pages",    {8, 132, 220, 90}).In(back),
      TabSheet("TabSheet_First",          "Designed sheet").In("PageControl_Pages"),
      TabSheet("TabSheet_Second",         "Second").In("PageControl_Pages"),
      Edit("Edit_Value",                  {240, 180, 80, 21}, "designed edit").In(back).ReadOnly(),
      ListView("ListView_Log",            {8, 230, 300, 90}).In(back).Columns({"Name", "Old Value", "New Value"}, {120, 80, 80}),
      ComboBox("ComboBox_Mode",           {330, 180, 120, 0}).In(back).Items({"first", "second", "third"}),
      Make(ComponentKind::TrackBar, "TrackBar_Speed", {240, 210, 80, 33}, "designed track").In(back).Range(0, 10),
      Make(ComponentKind::ProgressBar, "ProgressBar_Run", {8, 330, 300, 16}, "designed progress").In(back).Range(0, 110).Position(55),
      Label("Label_Hidden",               {330, 330}, "Hidden text").In(back).Hidden(),
      Timer("Timer_Show",                 100),
  };
  // clang-format on
  f.components.back().disabled = true;  // no tick while a suite runs
  return f;
}

}  // namespace velomar::test
