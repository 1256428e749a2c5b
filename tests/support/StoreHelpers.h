#pragma once
// What the suites ask of the registry store beyond what the program asks:
// a number written as the passes write it, and whether a key exists.
#include <cstdint>
#include <string>

#include "registry/RegistryStore.h"

namespace velomar::test {

inline platform::RegResult WriteNumber(platform::RegRoot root, const std::string& path, const std::string& name,
                                       std::int32_t value) {
  return WriteRegValue(root, path, name, platform::RegValue::Dword(static_cast<std::uint32_t>(value)));
}

// As the registry answers with read rights alone.
inline bool KeyExists(platform::RegRoot root, const std::string& path) {
  return RegValueStatus(root, path, "").keyExists;
}

}  // namespace velomar::test
