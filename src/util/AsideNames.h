#pragma once
// Files kept aside under another name, never removed or written over: a
// backup that an undo has put back, a file that is no valid backup.
#include <string>

namespace velomar {

// What a backup that a complete undo has put back is renamed to:
// NAME.restored (or .restored2, ...), so that no later undo reads it and
// the next pass records the state of its own moment.
inline constexpr const char* kRestoredSuffix = ".restored";

// A name beside `file` that nothing has yet: file + suffix, or with 2, 3,
// ... after the suffix when that is taken.
std::string UnusedNameBeside(const std::string& file, const std::string& suffix);

}  // namespace velomar
