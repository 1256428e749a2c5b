#pragma once
// What a pass needs of its window: a status line, a progress bar, a log
// list and the display pause. Every pass drives its window through one of
// these, so status, progress, rows and pacing reach the window the same way.
#include <string_view>

#include "window/WindowState.h"

namespace velomar {

// The controls a pass drives; a pass without a status line or log list
// leaves them null.
struct PassControls {
  const char* status = nullptr;
  const char* progress = nullptr;
  const char* log = nullptr;
};

namespace pass_controls {
// The automatic window: status line, progress bar (0 to 110) and log list,
// driven by the Firefox pass and then by the TCP/IP pass.
inline constexpr PassControls kAutomatic{"Label_Doing", "ProgressBar_Optimize", "ListView_Log"};
// The custom window's TCP/IP and Firefox pages: a progress bar (0 to 96) each.
inline constexpr PassControls kCustomTcp{nullptr, "ProgressBar_TCP", nullptr};
inline constexpr PassControls kCustomFirefox{nullptr, "ProgressBar_FF", nullptr};
}  // namespace pass_controls

class PassView {
 public:
  PassView(WindowState& window, PassControls controls) : window_(window), controls_(controls) {}

  void Status(std::string_view text);
  int Progress() const;
  void SetProgress(int position);
  // Adds to the progress bar (also nothing, which still sets it).
  void Advance(int units);
  void Row(const LogRow& row);
  // Brings the newest rows of the log into view (the list rounds a vertical
  // scroll to whole lines, so scrolling by the row count in pixels before
  // every row keeps them in view), then waits for the window's display tick.
  void Pause();

  WindowState& Window() { return window_; }

 private:
  WindowState& window_;
  PassControls controls_;
};

}  // namespace velomar
