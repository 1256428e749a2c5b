#pragma once
// The registry store: every pass, restore and reader touches the registry
// through its seven functions. Each call is self-contained (fresh handle,
// opened and closed inside the call) and swallows every error into its
// result: a change answers what the system said, a read answers nothing.
// Roots are the enum: a name from a file is parsed where the file is read
// (platform::RootNamed).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/ScopedSeam.h"

namespace velomar {

// A stored REG_DWORD of 2147483647 reads as no number, as it always has:
// a row shows "No value" for it, the custom page its default, and no pass
// writes it.
inline constexpr std::int32_t kDwordReadAsMissing = 2147483647;

// Writes a value of any type as it is given (a number as a
// platform::RegValue::Dword), replacing one of that name whatever its
// type; a missing key is created with its missing parents. The answer
// tells the user which values stayed as they were, and why.
platform::RegResult WriteRegValue(platform::RegRoot root, const std::string& path, const std::string& name,
                                  const platform::RegValue& value);

// The number a REG_DWORD holds; nothing when the key or the value is
// missing, the key cannot be opened, the value has another type, or it
// holds kDwordReadAsMissing.
std::optional<std::int32_t> ReadRegInteger(platform::RegRoot root, const std::string& path, const std::string& name);

// The text of a REG_SZ or REG_EXPAND_SZ, unexpanded; nothing for a value
// of another type or one that cannot be read.
std::optional<std::string> ReadRegString(platform::RegRoot root, const std::string& path, const std::string& name);

// Fails (kErrorFileNotFound) when the value does not exist.
platform::RegResult DeleteRegValue(platform::RegRoot root, const std::string& path, const std::string& name);

// What the registry holds of a value now: whether its key exists, and the
// value as stored. A key that exists but cannot be opened with full access
// is not readable: whether it holds the value is not known, and the value
// is not present to a pass.
struct RegValueSnapshot {
  bool keyExists = false;
  bool readable = true;
  std::optional<platform::RegValue> value;
  bool Present() const { return value.has_value(); }
};
RegValueSnapshot RegValueStatus(platform::RegRoot root, const std::string& path, const std::string& name);

// The names of a key's immediate subkeys in the registry's enumeration
// order; nothing when the key is missing or cannot be opened.
std::optional<std::vector<std::string>> ListRegSubKeys(platform::RegRoot root, const std::string& path);

// Deletes a key that holds neither values nor subkeys; succeeds without
// doing anything when it is missing or not empty, fails when it cannot be
// opened or deleted.
platform::RegResult DeleteRegKeyIfEmpty(platform::RegRoot root, const std::string& path);

// The registry the store works on: the system's, unless a test or the
// console tool put another in its place for the lifetime of a ScopedRegistry.
platform::Registry& ActiveRegistry();
using ScopedRegistry = platform::Scoped<platform::Registry>;

}  // namespace velomar
