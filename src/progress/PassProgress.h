#pragma once
// What a pass sees of whatever shows it: a status line, a progress bar it
// moves on, a log of the changes and the display pause. Which controls
// stand behind them, if any, is the window's business (or velomar-cli's,
// which prints them); so is the bar's budget, of which the window hands
// each pass what it needs.
#include <string_view>

#include "progress/LogRow.h"

namespace velomar {

class PassProgress {
 public:
  virtual ~PassProgress() = default;

  // The step the pass is at ("TCP : Optimizing DefaultTTL ...").
  virtual void Status(std::string_view text) = 0;
  // Moves the bar on by `units`; none is a step too.
  virtual void Advance(int units) = 0;
  // One change (name, old value, new value), or a message in the first cell.
  virtual void Row(const LogRow& row) = 0;
  // Waits for the window's next display tick, so that the rows come one by one.
  virtual void Pause() = 0;
};

}  // namespace velomar
