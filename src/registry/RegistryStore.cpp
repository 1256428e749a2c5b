#include "registry/RegistryStore.h"

#include <exception>
#include <utility>

namespace velomar {

namespace {

// What the store answers when the registry itself threw (out of memory):
// ERROR_NOT_ENOUGH_MEMORY, the only thing a backend throws for.
constexpr std::int32_t kStoreFailure = 8;

// The value as stored, opening its key without creating it; nothing when
// either is missing or cannot be read.
std::optional<platform::RegValue> StoredValue(platform::RegRoot root, const std::string& path,
                                              const std::string& name) {
  try {
    auto key = ActiveRegistry().Open(root, path, false);
    return key ? key->Query(name) : std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

platform::Registry& ActiveRegistry() { return ScopedRegistry::ActiveOr(platform::SystemRegistry); }

platform::RegResult WriteRegValue(platform::RegRoot root, const std::string& path, const std::string& name,
                                  const platform::RegValue& value) {
  try {
    auto opened = ActiveRegistry().OpenKey(root, path, true);
    if (!opened.key) return opened.result;
    return opened.key->SetValue(name, value);
  } catch (const std::exception&) {
    return {kStoreFailure};
  }
}

std::optional<std::int32_t> ReadRegInteger(platform::RegRoot root, const std::string& path, const std::string& name) {
  const auto value = StoredValue(root, path, name);
  const auto dword = value ? value->AsDword() : std::nullopt;
  if (!dword || static_cast<std::int32_t>(*dword) == kDwordReadAsMissing) return std::nullopt;
  return static_cast<std::int32_t>(*dword);
}

std::optional<std::string> ReadRegString(platform::RegRoot root, const std::string& path, const std::string& name) {
  auto value = StoredValue(root, path, name);
  if (!value || (value->type != platform::kRegSz && value->type != platform::kRegExpandSz)) return std::nullopt;
  return std::move(value->data);
}

platform::RegResult DeleteRegValue(platform::RegRoot root, const std::string& path, const std::string& name) {
  try {
    auto opened = ActiveRegistry().OpenKey(root, path, false);
    if (!opened.key) return opened.result;
    if (!opened.key->Query(name)) return {platform::kErrorFileNotFound};
    return opened.key->DeleteValue(name);
  } catch (const std::exception&) {
    return {kStoreFailure};
  }
}

platform::RegResult DeleteRegKeyIfEmpty(platform::RegRoot root, const std::string& path) {
  try {
    if (!ActiveRegistry().KeyExists(root, path)) return {};
    auto opened = ActiveRegistry().OpenKey(root, path, false);
    if (!opened.key) return opened.result;
    if (!opened.key->IsEmpty()) return {};
    opened.key.reset();  // closed before it is deleted
    return ActiveRegistry().DeleteKey(root, path);
  } catch (const std::exception&) {
    return {kStoreFailure};
  }
}

RegValueSnapshot RegValueStatus(platform::RegRoot root, const std::string& path, const std::string& name) {
  RegValueSnapshot snapshot;
  try {
    // The existence test asks for read rights alone, the open for full access.
    snapshot.keyExists = ActiveRegistry().KeyExists(root, path);
    if (!snapshot.keyExists) return snapshot;
    auto key = ActiveRegistry().Open(root, path, false);
    if (!key) {
      snapshot.readable = false;
      return snapshot;
    }
    snapshot.value = key->Query(name);
  } catch (const std::exception&) {
    snapshot.readable = false;
  }
  return snapshot;
}

std::optional<std::vector<std::string>> ListRegSubKeys(platform::RegRoot root, const std::string& path) {
  try {
    if (!ActiveRegistry().KeyExists(root, path)) return std::nullopt;
    auto key = ActiveRegistry().Open(root, path, false);
    return key ? key->SubKeys() : std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace velomar
