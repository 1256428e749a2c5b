#pragma once
// The user_pref line format Velomar writes, the automatic set of
// preferences (a common table and a table by machine class) and the names
// of Velomar's own preferences. How a line goes into a file is PrefsEdits';
// a user.js that a pass makes from nothing is sorted, with CR LF after
// every line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/TextLines.h"

namespace velomar {

inline constexpr std::string_view kDeletionTail = ", del);";

// A preference line is head + tail: user_pref("name" and , value);
struct PrefEntry {
  std::string head;
  std::string tail;
  bool IsDeletion() const { return tail == kDeletionTail; }
  bool IsEmpty() const { return head.empty() && tail.empty(); }
  std::string Line() const { return head + tail; }
};
PrefEntry MakePrefEntry(std::string_view name, std::string_view value);

// Between the first double quote and the next one.
std::string PrefNameOf(std::string_view text);
// After the first comma up to the next ")"; for a line without a comma
// nothing, and without a ")" after it the rest of the line.
std::string PrefValueOf(std::string_view text);

// The 13 entries every machine gets, and the 14 whose values depend on the
// machine class (0 to 3); the automatic set marks removals with ", del);",
// the custom set has empty entries there instead.
const std::vector<PrefEntry>& CommonPrefs();
const std::vector<PrefEntry>& MachineClassPrefs(int machineClass);
const std::vector<PrefEntry>& CustomMachineClassPrefs(int machineClass);

inline constexpr std::uint64_t kOneGiB = 1073741824ull;
// Exactly 1 GiB counts as big.
bool IsMemoryBig(std::uint64_t totalPhysicalBytes);
// Asks the system for the total physical memory: whether it is 1 GiB or
// more. A query that fails with an error code counts as less, the smaller
// caches being the safe choice, and the caller carries on; one that fails
// without an error code gives nothing, and the caller (the automatic pass,
// the custom window's creation) ends there.
std::optional<bool> QueryMemoryBig();
// 2 when the memory reaches 1 GiB, plus 1 from 1024 Kbps.
int MachineClassOf(bool memoryBig, std::int32_t bandwidthKbps);

// Sorts the lines of a new user.js without regard to case by the user's locale.
void SortPrefLines(Lines& lines);

// The name of every preference a pass writes or deletes: the automatic
// set, of which the custom page's boxes name a part.
const std::vector<std::string>& VelomarPrefNames();

}  // namespace velomar
