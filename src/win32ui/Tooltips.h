#pragma once
// The tooltips of a window, from the hints of its components. The tooltip
// window is made when the mouse first rests on a component with a hint, so
// that windows whose hints are never seen do not pay for it at start-up.
#include <windows.h>

#include <set>
#include <string>

namespace velomar::ui {

class Tooltips {
 public:
  explicit Tooltips(HWND owner) : owner_(owner) {}
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // The mouse moved over `tool`, whose hint is `text`: the tool is
  // registered (once) and the tooltip sees the move.
  void Hovered(HWND tool, const std::string& text, UINT message, WPARAM wParam, LPARAM lParam);
  // A hint changed; an empty one removes the tool.
  void Update(HWND tool, const std::string& text);
  // The tooltip window; nullptr until a hint was first needed.
  HWND Window() const { return tip_; }

 private:
  bool Ensure();

  HWND owner_;
  HWND tip_ = nullptr;
  std::set<HWND> tools_;
};

}  // namespace velomar::ui
