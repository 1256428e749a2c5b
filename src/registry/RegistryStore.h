#pragma once
// The registry store: every pass, restore and reader touches the registry
// through these functions. Each call is self-contained (fresh handle, opened
// and closed inside the call) and swallows every error into its result.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/ScopedSeam.h"

namespace velomar {

// Stands for a missing or unreadable value (and for a stored 2147483647).
inline constexpr std::int32_t RegNoValue = 2147483647;

// Value status codes of RegValueStatus.
inline constexpr std::int32_t kRegValuePresent = 0;
inline constexpr std::int32_t kRegKeyMissing = 1;
inline constexpr std::int32_t kRegValueMissing = 2;
inline constexpr std::int32_t kRegBadRoot = -1;

// The two changes answer what the system said (true on success), so that a
// caller can tell the user which values stayed as they were, and why.
platform::RegResult WriteRegInteger(std::string root, std::string path, std::string name, std::int32_t value);
// Writes a value of any type as it is given, creating its key when missing
// (a restore gives back what a backup recorded).
platform::RegResult WriteRegValue(std::string root, std::string path, std::string name,
                                  const platform::RegValue& value);
std::int32_t ReadRegInteger(std::string root, std::string path, std::string name);
// Fails (kErrorFileNotFound) when the value does not exist.
platform::RegResult DeleteRegValue(std::string root, std::string path, std::string name);
std::int32_t RegValueStatus(std::string root, std::string path, std::string name);
bool ListRegSubKeys(std::string root, std::string path, std::vector<std::string>& names);
bool RegKeyExists(std::string root, std::string path);
std::string ReadRegString(std::string root, std::string path, std::string name);

// Deletes a key that holds neither values nor subkeys; succeeds without
// doing anything when it is missing or not empty, fails when it cannot be
// opened or deleted.
platform::RegResult DeleteRegKeyIfEmpty(std::string root, std::string path);

// What a backup needs to know of a value before a pass changes it: whether
// its key and the value exist, and the value as stored. A key that exists
// but cannot be opened is not readable: whether the value exists is not
// known.
struct RegValueSnapshot {
  bool keyExists = false;
  bool readable = true;
  bool valueExists = false;
  platform::RegValue value;
};
RegValueSnapshot SnapshotRegValue(std::string root, std::string path, std::string name);

// The registry the store works on: the system's, unless a test or the
// console tool put another in its place for the lifetime of a ScopedRegistry.
platform::Registry& ActiveRegistry();
using ScopedRegistry = platform::Scoped<platform::Registry>;

// The root selected by a name: the five names compared exactly; false for
// any other (the store then uses HKEY_CURRENT_USER, except RegValueStatus).
bool SelectRoot(const std::string& name, platform::RegRoot& root);

}  // namespace velomar
