#pragma once
// A pass's progress that nobody watches: for the fuzz targets and the
// benchmarks, which look at what a pass did, not how it showed it.
#include <string_view>

#include "progress/PassProgress.h"

namespace velomar::test {

class NoProgress : public PassProgress {
 public:
  void Status(std::string_view) override {}
  void Advance(int) override {}
  void Row(const LogRow&) override {}
  void Pause() override {}
};

}  // namespace velomar::test
