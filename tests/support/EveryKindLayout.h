#pragma once
// A window holding one component of every kind the language tables know,
// with designed texts, hints, columns and items (the lang suite and the
// translator's fuzz target).
#include <string>

#include "window/Layout.h"

namespace velomar::test {

inline FormLayout EveryKindLayout() {
  using K = ComponentKind;
  FormLayout layout;
  layout.caption = "Designed window";
  auto add = [&](std::string name, K kind, std::string caption) -> Component& {
    Component c;
    c.name = std::move(name);
    c.kind = kind;
    c.caption = std::move(caption);
    layout.components.push_back(c);
    return layout.components.back();
  };
  add("Label_Title", K::Label, "Designed title").hint = "Designed title hint";
  add("StaticText_Note", K::StaticText, "Designed note");
  add("Image_Icon", K::Image, "").hint = "Designed picture";
  add("CheckBox_Option", K::CheckBox, "Designed option");
  add("GroupBox_Choice", K::GroupBox, "Designed group");
  add("RadioButton_One", K::RadioButton, "Designed one");
  add("Button_Go", K::Button, "Designed go").hint = "Designed go hint";
  add("ToolButton_Tool", K::ToolButton, "Designed tool");
  add("MenuItem_File", K::MenuItem, "Designed menu");
  add("TabSheet_First", K::TabSheet, "Designed sheet");
  add("Memo_Notes", K::Memo, "Designed notes");
  add("Memo_Blank", K::Memo, "Designed blank").tag = 49;
  add("ListView_Log", K::ListView, "").columns = {"Name", "Old Value", "New Value"};
  add("ComboBox_Mode", K::ComboBox, "").items = {"first", "second", "third"};
  add("ListBox_Days", K::ListBox, "").items = {"monday", "tuesday"};
  add("Edit_Value", K::Edit, "designed edit");
  add("Panel_Back", K::Panel, "designed panel");
  add("TrackBar_Speed", K::TrackBar, "designed track");
  add("ProgressBar_Run", K::ProgressBar, "designed progress");
  return layout;
}

}  // namespace velomar::test
