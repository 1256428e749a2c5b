#pragma once
// How a Firefox pass moves its window's bar. The window decides it, for the
// number of sections in profiles.ini, which only the pass reads.
#include <cstdint>
#include <functional>

#include "progress/PassProgress.h"

namespace velomar {

struct FirefoxProgressSteps {
  // Before each preference of the automatic pass; after each box of the custom one.
  std::int32_t perPreference = 0;
  // After each profile the automatic pass has backed up and edited.
  std::int32_t perProfile = 0;
};

using FirefoxProgressPlan = std::function<FirefoxProgressSteps(std::int32_t sectionCount)>;

}  // namespace velomar
