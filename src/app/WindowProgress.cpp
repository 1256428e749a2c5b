#include "app/WindowProgress.h"

namespace velomar {

void WindowProgress::Status(std::string_view text) {
  if (controls_.status) window_.SetText(controls_.status, text);
}

void WindowProgress::Advance(int units) {
  advanced_ += units;
  if (controls_.bar) window_.SetPosition(controls_.bar, window_.Position(controls_.bar) + units);
}

void WindowProgress::Row(const LogRow& row) {
  if (controls_.log) window_.AppendRow(controls_.log, row);
}

void WindowProgress::Pause() {
  if (controls_.log) window_.ScrollBy(controls_.log, window_.RowCount(controls_.log));
  if (pacing_ == Pacing::Paced) window_.PauseForDisplay();
}

}  // namespace velomar
