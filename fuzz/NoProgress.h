#pragma once
// A pass's progress that nobody watches: the fuzz targets check what a
// pass did, not how it showed it.
#include <string_view>

#include "progress/PassProgress.h"

namespace velomar::fuzz {

class NoProgress : public PassProgress {
 public:
  void Status(std::string_view) override {}
  void Advance(int) override {}
  void Row(const LogRow&) override {}
  void Pause() override {}
};

}  // namespace velomar::fuzz
