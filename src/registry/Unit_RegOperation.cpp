#include "registry/Unit_RegOperation.h"

#include <exception>

namespace velomar {

namespace {

platform::Registry* g_active = nullptr;

platform::RegRoot RootOrCurrentUser(const std::string& name) {
  platform::RegRoot root;
  return SelectRoot(name, root) ? root : platform::RegRoot::CurrentUser;
}

}  // namespace

platform::Registry& ActiveRegistry() { return g_active ? *g_active : platform::SystemRegistry(); }

ScopedRegistry::ScopedRegistry(platform::Registry& registry) : previous_(g_active) { g_active = &registry; }
ScopedRegistry::~ScopedRegistry() { g_active = previous_; }

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

void WriteRegInteger(std::string root, std::string path, std::string name, std::int32_t value) {
  try {
    if (auto key = ActiveRegistry().Open(RootOrCurrentUser(root), path, true))
      key->SetValue(name, platform::RegValue::Dword(static_cast<std::uint32_t>(value)));
  } catch (const std::exception&) {
    // The store reports nothing; callers rely on no result.
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

bool DeleteRegValue(std::string root, std::string path, std::string name) {
  try {
    auto key = ActiveRegistry().Open(RootOrCurrentUser(root), path, false);
    if (!key || !key->Query(name)) return false;
    return key->DeleteValue(name);
  } catch (const std::exception&) {
    return false;
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
    if (auto key = ActiveRegistry().Open(selected, path, false)) {
      if (auto value = key->Query(name)) {
        snapshot.valueExists = true;
        snapshot.value = std::move(*value);
      }
    }
  } catch (const std::exception&) {
  }
  return snapshot;
}

}  // namespace velomar
