#pragma once
// The names of the preferences a pass writes, in the order of
// VelomarPrefNames(): what a note about them counts.
#include <string>
#include <vector>

namespace velomar {

// The automatic set for the machine class, less the preferences the class
// removes.
std::vector<std::string> AutoPassPrefNames(int machineClass);
// The preferences of the custom pass's choices taken (one flag for each of
// CustomPrefChoices()), less those the machine class leaves out; a
// preference two choices share counts once.
std::vector<std::string> CustomPassPrefNames(const std::vector<bool>& chosen, int machineClass);

}  // namespace velomar
