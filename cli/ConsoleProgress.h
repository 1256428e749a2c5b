#pragma once
// A pass's progress as velomar-cli prints it, line by line as the pass
// reports it: each row as name<TAB>old<TAB>new; with --trace every report,
// a row as row<TAB>name<TAB>old<TAB>new, the status as status<TAB>text, the
// bar's position after each move as progress<TAB>N, and each pause as
// pause.
#include <string_view>

#include "progress/PassProgress.h"

namespace velomar::cli {

struct Invocation;

class ConsoleProgress : public PassProgress {
 public:
  // The bar the window would give the pass: it starts at 0 and stops at
  // barEnd.
  ConsoleProgress(const Invocation& in, int barEnd) : in_(in), barEnd_(barEnd) {}

  void Status(std::string_view text) override;
  void Advance(int units) override;
  void Row(const LogRow& row) override;
  // A console has no display tick to wait for.
  void Pause() override;

 private:
  const Invocation& in_;
  int barEnd_;
  int position_ = 0;
};

}  // namespace velomar::cli
