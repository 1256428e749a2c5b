#pragma once
// A window described as data: the window's frame and its components in
// creation order. The Win32 framework turns a FormLayout into a real window;
// DesignMemoryWindow turns it into an in-memory one for tests of the window
// logic. Later components lie above earlier ones.
#include <cstdint>
#include <string>
#include <vector>

#include "window/WindowState.h"

namespace velomar {

class MemoryWindow;

// Colours are 0x00BBGGRR as on Windows (window/Drawing.h); kSystemColor |
// index names a system colour; kNoColor inherits the parent's colour.
inline constexpr Color kNoColor = 0xFFFFFFFFu;
inline constexpr Color kSystemColor = 0x80000000u;
inline constexpr Color kHighlightColor = kSystemColor | 13u;  // COLOR_HIGHLIGHT
inline constexpr Color kWindowTextColor = kSystemColor | 8u;  // COLOR_WINDOWTEXT
inline constexpr Color kButtonFaceColor = kSystemColor | 15u;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

struct Component {
  std::string name{};
  ComponentKind kind = ComponentKind::Other;
  std::string parent{};  // empty: the window itself
  int x = 0;
  int y = 0;
  // Labels size themselves to their text unless fixedSize; a word-wrapped
  // label wraps at `width`. 0 elsewhere means the kind's usual size.
  int width = 0;
  int height = 0;
  std::string caption{};  // caption, edit text or tab caption as designed

  int fontHeight = 0;  // character height; 0: the window's
  bool bold = false;
  Color fontColor = kNoColor;
  Color color = kNoColor;  // background
  bool transparent = false;
  bool wordWrap = false;
  bool fixedSize = false;
  bool handCursor = false;
  bool hidden = false;
  bool disabled = false;
  std::string hint{};
  int maxLength = 0;
  bool readOnly = false;
  bool rightToLeft = false;
  bool checked = false;
  int tag = 0;

  // Track bars and progress bars.
  int minimum = 0;
  int maximum = 10;
  int position = 0;
  int pageSize = 1;
  // Images: the name of a picture of the program's artwork.
  std::string picture{};
  bool stretch = false;
  // Page controls: tabs shown, or pages switched by program only.
  bool tabsVisible = true;
  // Timers.
  int interval = 1000;
  // List views: column headers and widths; combo and list boxes: items.
  std::vector<std::string> columns{};
  std::vector<int> columnWidths{};
  std::vector<std::string> items{};

  // Chained setters, so that a layout table holds one component per line
  // (see the makers in namespace layout below).
  // clang-format off
  Component& In(std::string parentName) { parent = std::move(parentName); return *this; }
  Component& Font(int height) { fontHeight = height; return *this; }
  Component& Bold() { bold = true; return *this; }
  Component& FontColor(Color value) { fontColor = value; return *this; }
  Component& Background(Color value) { color = value; return *this; }
  Component& Transparent() { transparent = true; return *this; }
  Component& WordWrap() { wordWrap = true; return *this; }
  Component& FixedSize() { fixedSize = true; return *this; }
  Component& HandCursor() { handCursor = true; return *this; }
  Component& Hidden() { hidden = true; return *this; }
  Component& Hint(std::string text) { hint = std::move(text); return *this; }
  Component& MaxLength(int characters) { maxLength = characters; return *this; }
  Component& ReadOnly() { readOnly = true; return *this; }
  Component& RightToLeft() { rightToLeft = true; return *this; }
  Component& Checked() { checked = true; return *this; }
  Component& Tag(int value) { tag = value; return *this; }
  Component& Range(int low, int high) { minimum = low; maximum = high; return *this; }
  Component& Position(int value) { position = value; return *this; }
  Component& Page(int size) { pageSize = size; return *this; }
  Component& Picture(std::string name) { picture = std::move(name); return *this; }
  Component& Stretch() { stretch = true; return *this; }
  Component& NoTabs() { tabsVisible = false; return *this; }
  Component& Interval(int milliseconds) { interval = milliseconds; return *this; }
  Component& Columns(std::vector<std::string> headers, std::vector<int> widths) {
    columns = std::move(headers);
    columnWidths = std::move(widths);
    return *this;
  }
  Component& Items(std::vector<std::string> texts) { items = std::move(texts); return *this; }
  // clang-format on
};

// The makers of a layout table: kind, name, position and size (0 for the
// kind's usual size) and the designed caption or text.
namespace layout {
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
Component Make(ComponentKind kind, std::string name, Box box, std::string caption = {});
inline Component Label(std::string name, Box box, std::string caption = {}) {
  return Make(ComponentKind::Label, std::move(name), box, std::move(caption));
}
inline Component Image(std::string name, Box box) { return Make(ComponentKind::Image, std::move(name), box); }
inline Component Button(std::string name, Box box, std::string caption) {
  return Make(ComponentKind::Button, std::move(name), box, std::move(caption));
}
inline Component CheckBox(std::string name, Box box, std::string caption) {
  return Make(ComponentKind::CheckBox, std::move(name), box, std::move(caption));
}
inline Component RadioButton(std::string name, Box box, std::string caption) {
  return Make(ComponentKind::RadioButton, std::move(name), box, std::move(caption));
}
inline Component GroupBox(std::string name, Box box, std::string caption) {
  return Make(ComponentKind::GroupBox, std::move(name), box, std::move(caption));
}
inline Component Panel(std::string name, Box box) { return Make(ComponentKind::Panel, std::move(name), box); }
inline Component Edit(std::string name, Box box, std::string text = {}) {
  return Make(ComponentKind::Edit, std::move(name), box, std::move(text));
}
inline Component ComboBox(std::string name, Box box) { return Make(ComponentKind::ComboBox, std::move(name), box); }
inline Component ListView(std::string name, Box box) { return Make(ComponentKind::ListView, std::move(name), box); }
inline Component TrackBar(std::string name, Box box) { return Make(ComponentKind::TrackBar, std::move(name), box); }
inline Component ProgressBar(std::string name, Box box) {
  return Make(ComponentKind::ProgressBar, std::move(name), box);
}
inline Component PageControl(std::string name, Box box) {
  return Make(ComponentKind::PageControl, std::move(name), box);
}
inline Component TabSheet(std::string name, std::string caption) {
  return Make(ComponentKind::TabSheet, std::move(name), {}, std::move(caption));
}
inline Component Timer(std::string name, int milliseconds) {
  return Make(ComponentKind::Timer, std::move(name), {}).Interval(milliseconds);
}
// A component the window lists but does not show (the theme manifest).
inline Component Other(std::string name) { return Make(ComponentKind::Other, std::move(name), {}); }
}  // namespace layout

enum class BorderStyle { SingleFixed, None };

struct FormLayout {
  std::string className{};  // the window class, e.g. "TForm_Recover"
  std::string caption{};
  int clientWidth = 0;
  int clientHeight = 0;
  int fontHeight = 11;  // Tahoma, never scaled
  Color color = kButtonFaceColor;
  BorderStyle border = BorderStyle::SingleFixed;
  bool minimizeBox = false;
  bool centred = true;
  // The main window: closing it ends the message loop of the program.
  bool quitOnClose = false;
  std::vector<Component> components{};

  const Component* Find(const std::string& name) const;
};

// Gives an in-memory window the designed state of a layout: components
// declared in order with their kinds and parents (so that the window knows
// them), their captions, hints, checks, ranges, columns and items, hidden
// and disabled ones as designed.
void DesignMemoryWindow(MemoryWindow& window, const FormLayout& layout);

}  // namespace velomar
