#pragma once
// The custom preference pass: the preferences of the custom page's checked
// boxes written into every profile's user.js.
#include <cstdint>
#include <string>
#include <vector>

#include "firefox/FirefoxProgress.h"
#include "firefox/FirefoxReport.h"

namespace velomar {

class WindowState;

// One of the 24 check boxes of the custom Firefox page and the preferences
// it writes, in order.
struct CustomPrefBox {
  const char* checkBox;
  const char* tab;
  struct Item {
    bool byClass;  // from the machine-class table, else the common one
    int index;     // row of that table
  };
  std::vector<Item> items;
};
const std::vector<CustomPrefBox>& CustomPrefBoxes();

// What the custom writer needs of its window.
struct CustomPassInputs {
  WindowState& window;
  PassProgress& progress;
  FirefoxProgressPlan plan;  // perPreference: the units after each box
  bool memoryBig = false;
  std::int32_t bandwidthKbps = 56;
};

// Writes the checked boxes' preferences into dir/user.js, pausing once per
// box and then moving the bar on by unitsPerBox (not when 0). False
// (problem added) when user.js cannot be read or written; it is then
// unchanged.
bool WriteCustomPrefs(const std::string& directory, std::int32_t unitsPerBox, CustomPassInputs& inputs,
                      FileProblems& problems);

struct CustomPassOutcome {
  bool walked = false;  // the data folder and profiles.ini were there
  FirefoxReport report;
  bool Optimized() const { return report.profilesChanged > 0; }
};
// The profile walk of the custom pass: the backups, each written only once
// (Custom_prefs.bk, user.bk and Custom_user.bk), then WriteCustomPrefs; a
// profile whose backup cannot be written is left untouched, unresolved
// profiles are skipped.
CustomPassOutcome RunCustomFirefoxWalk(CustomPassInputs& inputs);

}  // namespace velomar
