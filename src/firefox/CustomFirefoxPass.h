#pragma once
// The custom preference pass: the preferences of the choices the user took
// (the custom page's checked boxes) written into every profile's user.js.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "firefox/FirefoxProgress.h"
#include "firefox/FirefoxReport.h"

namespace velomar {

// What one of the 24 choices of the custom pass writes: preferences of the
// two tables, in order. The custom page offers them as check boxes, in this
// order.
struct CustomPrefChoice {
  struct Item {
    bool byClass;  // from the machine-class table, else the common one
    int index;     // row of that table
  };
  std::vector<Item> items;
};
const std::vector<CustomPrefChoice>& CustomPrefChoices();

struct CustomPassInputs {
  PassProgress& progress;
  FirefoxProgressPlan plan;  // perPreference: the units after each choice
  // Taken or not, for each of CustomPrefChoices(); a choice beyond the end is not taken.
  std::vector<bool> chosen;
  bool memoryBig = false;
  std::int32_t bandwidthKbps = 56;

  bool Takes(std::size_t choice) const;
};

// Writes the preferences of the choices taken into dir/user.js, pausing
// once per choice and then moving the bar on by unitsPerChoice (not when 0).
// An existing user.js keeps every other line as it is; a new one is sorted.
// False (problem added) when user.js cannot be read or written, or would
// not read a line added at its end; it is then unchanged.
bool WriteCustomPrefs(const std::string& directory, std::int32_t unitsPerChoice, const CustomPassInputs& inputs,
                      FileProblems& problems);

struct CustomPassOutcome {
  bool walked = false;  // the data folder and profiles.ini were there
  FirefoxReport report;
  bool Optimized() const { return report.profilesChanged > 0; }
};
// The profile walk of the custom pass: the backups, each written only once
// (Custom_prefs.bk, user.bk and Custom_user.bk), then WriteCustomPrefs; a
// profile Firefox runs with or whose backup cannot be written is left
// untouched, unresolved profiles are skipped.
CustomPassOutcome RunCustomFirefoxWalk(const CustomPassInputs& inputs);

}  // namespace velomar
