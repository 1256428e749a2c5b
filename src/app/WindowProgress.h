#pragma once
// A pass's progress on the controls of a window: each window names the
// status label, progress bar and log list its passes drive, and leaves out
// what it does not show.
#include <string_view>

#include "progress/PassProgress.h"
#include "window/WindowState.h"

namespace velomar {

struct ProgressControls {
  const char* status = nullptr;
  const char* bar = nullptr;
  const char* log = nullptr;
};

class WindowProgress : public PassProgress {
 public:
  // Paced: each pause waits for the window's display tick, so that rows
  // appear one by one; unpaced (a preview), a pause only scrolls.
  enum class Pacing { Paced, Unpaced };
  WindowProgress(WindowState& window, ProgressControls controls, Pacing pacing = Pacing::Paced)
      : window_(window), controls_(controls), pacing_(pacing) {}

  void Status(std::string_view text) override;
  // Sets the bar to its position plus `units` (the bar keeps it in its range).
  void Advance(int units) override;
  void Row(const LogRow& row) override;
  // Brings the newest rows of the log into view (the list rounds a vertical
  // scroll to whole lines, so scrolling by the row count in pixels before
  // every row keeps them in view), then, paced, waits for the window's
  // display tick.
  void Pause() override;

  // The units the passes asked to move the bar by so far. A worker pass
  // reports from its thread; read this once its starter has waited for it.
  int UnitsAdvanced() const { return advanced_; }

 private:
  WindowState& window_;
  ProgressControls controls_;
  Pacing pacing_;
  int advanced_ = 0;
};

}  // namespace velomar
