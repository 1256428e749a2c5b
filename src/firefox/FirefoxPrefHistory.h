#pragma once
// Which of Velomar's preferences a given Firefox still reads. Most of them
// were written for the Firefox of the Windows XP era; later releases stopped
// reading many, and a few no Firefox ever read.
#include <string>
#include <string_view>
#include <vector>

namespace velomar {

// Every Firefox release up to the newest checked reads it.
inline constexpr int kStillRead = 0;
// No Firefox release reads it: the first one, 1.0, already did not.
inline constexpr int kNeverRead = 1;

struct PrefRetirement {
  std::string_view name;
  // The first major version that no longer reads it, or kStillRead. Where
  // the release that dropped it is not known exactly, the first one known
  // not to read it: a profile is never told that a preference goes unread
  // when it may still be read.
  int retiredIn = kStillRead;
  bool ReadBy(int majorVersion) const { return retiredIn == kStillRead || majorVersion < retiredIn; }
};

// One entry for each of VelomarPrefNames(), in its order.
const std::vector<PrefRetirement>& PrefRetirements();

// Those of `names` that Firefox `majorVersion` does not read, in table
// order; a name the table does not hold counts as read.
std::vector<std::string> PrefsNotReadBy(int majorVersion, const std::vector<std::string>& names);

}  // namespace velomar
