#pragma once
// LastSetBandWidth.vm: line 1 the class of the last automatic optimisation
// ("-1" for none), line 2 the class of the last custom one; further lines
// are kept as they are.
#include <optional>
#include <string>

namespace velomar {

std::string LastSetFilePath();

// Each save loads the file (when it exists), changes its one line and
// replaces the file. False with a message when the file cannot be read or
// written; the file is then unchanged.
bool SaveAutoClass(int position, std::string& error);
bool SaveCustomClass(int position, std::string& error);

// The stored automatic class 0 to 10; nothing when there is none (no file,
// no line, a number outside 0 to 10 or a line that is not a whole number).
std::optional<int> LoadAutoClass();

// What the file says about the custom class.
struct StoredCustomClass {
  bool fileExists = false;
  std::optional<int> position;  // line 2 when it is a whole number 0 to 10
};
StoredCustomClass LoadStoredCustomClass();

}  // namespace velomar
