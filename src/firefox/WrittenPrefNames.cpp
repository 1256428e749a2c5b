// The preferences each pass writes.
#include "firefox/WrittenPrefNames.h"

#include <algorithm>

#include "firefox/CustomFirefoxPass.h"
#include "firefox/PrefLines.h"

namespace velomar {

namespace {

// `wanted` in the order of VelomarPrefNames(), each once.
std::vector<std::string> InTableOrder(const std::vector<std::string>& wanted) {
  std::vector<std::string> names;
  for (const auto& name : VelomarPrefNames())
    if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) names.push_back(name);
  return names;
}

}  // namespace

std::vector<std::string> AutoPassPrefNames(int machineClass) {
  std::vector<std::string> written;
  for (const auto* table : {&CommonPrefs(), &MachineClassPrefs(machineClass)})
    for (const auto& entry : *table)
      if (!entry.IsDeletion()) written.push_back(PrefNameOf(entry.head));
  return InTableOrder(written);
}

std::vector<std::string> CustomPassPrefNames(const std::vector<bool>& chosen, int machineClass) {
  std::vector<std::string> written;
  const auto& choices = CustomPrefChoices();
  for (std::size_t c = 0; c < choices.size() && c < chosen.size(); ++c) {
    if (!chosen[c]) continue;
    for (const auto& item : choices[c].items) {
      const auto& table = item.byClass ? CustomMachineClassPrefs(machineClass) : CommonPrefs();
      const PrefEntry& entry = table[static_cast<std::size_t>(item.index)];
      if (!entry.IsEmpty()) written.push_back(PrefNameOf(entry.head));
    }
  }
  return InTableOrder(written);
}

}  // namespace velomar
