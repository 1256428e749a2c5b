#pragma once
// The custom preference pass: the preferences of the custom page's checked
// boxes written into every profile's user.js.
#include <cstdint>
#include <string>
#include <vector>

#include "firefox/FirefoxReport.h"

namespace velomar {

class WindowState;

namespace custom_firefox {
inline constexpr int kProgressMaximum = 96;
}  // namespace custom_firefox

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
  bool memoryBig = false;
  std::int32_t bandwidthKbps = 56;
};

// Writes the checked boxes' preferences into dir/user.js, adding to
// ProgressBar_FF and pausing once per box. False (problem added) when
// user.js cannot be read or written; it is then unchanged.
bool WriteCustomPrefs(const std::string& directory, std::int32_t sectionCount, CustomPassInputs& inputs,
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
