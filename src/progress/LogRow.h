#pragma once
// One row of a window's log list, and of what a pass reports: caption and
// its two sub-items (name, old value, new value).
#include <string>

namespace velomar {

struct LogRow {
  std::string name;
  std::string oldValue;
  std::string newValue;
  bool operator==(const LogRow&) const = default;
};

}  // namespace velomar
