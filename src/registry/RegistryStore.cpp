#include "registry/RegistryStore.h"

#include <exception>
#include <utility>

namespace velomar {

namespace {

// What the store answers when the registry itself threw (out of memory):
// ERROR_NOT_ENOUGH_MEMORY, the only thing a backend throws for.
constexpr std::int32_t kStoreFailure = 8;

platform::RegRoot RootOrCurrentUser(const std::string& name) {
  platform::RegRoot root;
  return SelectRoot(name, root) ? root : platform::RegRoot::CurrentUser;
}

}  // namespace

platform::Registry& ActiveRegistry() { return ScopedRegistry::ActiveOr(platform::SystemRegistry); }

bool SelectRoot(const std::string& name, platform::RegRoot& root) {
  static constexpr platform::RegRoot kOrder[] = {platform::RegRoot::ClassesRoot, platform::RegRoot::CurrentUser,
                                                 platform::RegRoot::LocalMachine, platform::RegRoot::Users,
                                                 platform::RegRoot::CurrentConfig};
  for (auto candidate : kOrder) {
    if (name == platform::RootName(candidate)) {
      root = candidate;
      return true;
    }
  }
  return false;
}

platform::RegResult WriteRegInteger(std::string root, std::string path, std::string name, std::int32_t value) {
  return WriteRegValue(std::move(root), std::move(path), std::move(name),
                       platform::RegValue::Dword(static_cast<std::uint32_t>(value)));
}

platform::RegResult WriteRegValue(std::string root, std::string path, std::string name,
                                  const platform::RegValue& value) {
  try {
    auto opened = ActiveRegistry().OpenKey(RootOrCurrentUser(root), path, true);
    if (!opened.key) return opened.result;
    return opened.key->SetValue(name, value);
  } catch (const std::exception&) {
    return {kStoreFailure};
  }
}

std::int32_t ReadRegInteger(std::string root, std::string path, std::string name) {
  try {
    auto key = ActiveRegistry().Open(RootOrCurrentUser(root), path, false);
    if (!key) return RegNoValue;
    const auto value = key->Query(name);
    if (!value) return RegNoValue;
    const auto dword = value->AsDword();
    return dword ? static_cast<std::int32_t>(*dword) : RegNoValue;
  } catch (const std::exception&) {
    return RegNoValue;
  }
}

platform::RegResult DeleteRegValue(std::string root, std::string path, std::string name) {
  try {
    auto opened = ActiveRegistry().OpenKey(RootOrCurrentUser(root), path, false);
    if (!opened.key) return opened.result;
    if (!opened.key->Query(name)) return {platform::kErrorFileNotFound};
    return opened.key->DeleteValue(name);
  } catch (const std::exception&) {
    return {kStoreFailure};
  }
}

platform::RegResult DeleteRegKeyIfEmpty(std::string root, std::string path) {
  try {
    const auto selected = RootOrCurrentUser(root);
    if (!ActiveRegistry().KeyExists(selected, path)) return {};
    auto opened = ActiveRegistry().OpenKey(selected, path, false);
    if (!opened.key) return opened.result;
    if (!opened.key->IsEmpty()) return {};
    opened.key.reset();  // closed before it is deleted
    return ActiveRegistry().DeleteKey(selected, path);
  } catch (const std::exception&) {
    return {kStoreFailure};
  }
}

std::int32_t RegValueStatus(std::string root, std::string path, std::string name) {
  platform::RegRoot selected;
  if (!SelectRoot(root, selected)) return kRegBadRoot;
  try {
    if (!ActiveRegistry().KeyExists(selected, path)) return kRegKeyMissing;
  } catch (const std::exception&) {
    return kRegKeyMissing;
  }
  try {
    auto key = ActiveRegistry().Open(selected, path, false);
    // A key that exists but cannot be opened counts as holding no value.
    if (!key) return kRegValueMissing;
    return key->Query(name) ? kRegValuePresent : kRegValueMissing;
  } catch (const std::exception&) {
    return kRegValueMissing;
  }
}

bool ListRegSubKeys(std::string root, std::string path, std::vector<std::string>& names) {
  try {
    const auto selected = RootOrCurrentUser(root);
    if (!ActiveRegistry().KeyExists(selected, path)) return false;
    auto key = ActiveRegistry().Open(selected, path, false);
    if (!key) return false;
    auto subkeys = key->SubKeys();
    if (!subkeys) return false;
    names = std::move(*subkeys);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool RegKeyExists(std::string root, std::string path) {
  try {
    return ActiveRegistry().KeyExists(RootOrCurrentUser(root), path);
  } catch (const std::exception&) {
    return false;
  }
}

std::string ReadRegString(std::string root, std::string path, std::string name) {
  try {
    auto key = ActiveRegistry().Open(RootOrCurrentUser(root), path, false);
    if (!key) return {};
    const auto value = key->Query(name);
    if (!value || (value->type != platform::kRegSz && value->type != platform::kRegExpandSz)) return {};
    return value->data;
  } catch (const std::exception&) {
    return {};
  }
}

RegValueSnapshot SnapshotRegValue(std::string root, std::string path, std::string name) {
  RegValueSnapshot snapshot;
  try {
    const auto selected = RootOrCurrentUser(root);
    snapshot.keyExists = ActiveRegistry().KeyExists(selected, path);
    if (!snapshot.keyExists) return snapshot;
    auto key = ActiveRegistry().Open(selected, path, false);
    if (!key) {
      snapshot.readable = false;
      return snapshot;
    }
    if (auto value = key->Query(name)) {
      snapshot.valueExists = true;
      snapshot.value = std::move(*value);
    }
  } catch (const std::exception&) {
    snapshot.readable = false;
  }
  return snapshot;
}

}  // namespace velomar
