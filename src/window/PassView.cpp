#include "window/PassView.h"

namespace velomar {

void PassView::Status(std::string_view text) {
  if (controls_.status) window_.SetText(controls_.status, text);
}

int PassView::Progress() const { return controls_.progress ? window_.Position(controls_.progress) : 0; }

void PassView::SetProgress(int position) {
  if (controls_.progress) window_.SetPosition(controls_.progress, position);
}

void PassView::Advance(int units) { SetProgress(Progress() + units); }

void PassView::Row(const LogRow& row) {
  if (controls_.log) window_.AppendRow(controls_.log, row);
}

void PassView::Pause() {
  if (controls_.log) window_.ScrollBy(controls_.log, window_.RowCount(controls_.log));
  window_.PauseForDisplay();
}

}  // namespace velomar
