#pragma once
// A window described as data: the window's frame and its components in
// creation order. The Win32 framework turns a FormLayout into a real window;
// DesignMemoryWindow turns it into an in-memory one for tests of the window
// logic. Later components lie above earlier ones.
#include <cstdint>
#include <string>
#include <vector>

#include "app/WindowState.h"

namespace velomar {

class MemoryWindow;

// 0x00BBGGRR as on Windows; kSystemColor | index names a system colour;
// kNoColor inherits the parent's colour.
using Color = std::uint32_t;
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
};

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
// declared in order with their captions, hints, checks, ranges, columns and
// items, hidden and disabled ones as designed.
void DesignMemoryWindow(MemoryWindow& window, const FormLayout& layout);

}  // namespace velomar
