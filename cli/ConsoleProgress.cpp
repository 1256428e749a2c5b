#include "ConsoleProgress.h"

#include <algorithm>
#include <ostream>

#include "Cli.h"

namespace velomar::cli {

void ConsoleProgress::Status(std::string_view text) {
  if (in_.trace) in_.Out() << "status\t" << text << '\n';
}

void ConsoleProgress::Advance(int units) {
  position_ = std::clamp(position_ + units, 0, barEnd_);
  if (in_.trace) in_.Out() << "progress\t" << position_ << '\n';
}

void ConsoleProgress::Row(const LogRow& row) { PrintRow(in_, row); }

void ConsoleProgress::Pause() {
  if (in_.trace) in_.Out() << "pause\n";
}

}  // namespace velomar::cli
