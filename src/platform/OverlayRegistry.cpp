#include "platform/OverlayRegistry.h"

#include <vector>

namespace velomar::platform {

namespace {

// The system takes names and paths as C strings, which end at the first NUL.
std::string AsCString(const std::string& text) { return text.substr(0, text.find('\0')); }

// A value's name as the base files it: up to a NUL, without regard to case.
std::string ValueSlot(const std::string& name) { return FoldedRegistryName(AsCString(name)); }

std::vector<std::string> Parts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : AsCString(path)) {
    if (c != '\\') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(std::move(part));
      part.clear();
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

std::string Joined(const std::vector<std::string>& parts, std::size_t count) {
  std::string path;
  for (std::size_t i = 0; i < count && i < parts.size(); ++i) path += (i ? "\\" : "") + parts[i];
  return path;
}

std::string Normal(const std::string& path) { return Joined(Parts(path), std::size_t(-1)); }

std::string ParentOf(const std::string& normal) {
  const auto slash = normal.rfind('\\');
  return slash == std::string::npos ? std::string() : normal.substr(0, slash);
}

}  // namespace

// A key of the overlay: reads its own changes first, then the base key.
class OverlayKey : public RegistryKey {
 public:
  using Changes = OverlayRegistry::KeyChanges;
  OverlayKey(OverlayRegistry& owner, std::map<OverlayRegistry::KeyId, Changes>& keys, RegRoot root, std::string path,
             std::unique_ptr<RegistryKey> base)
      : owner_(owner), keys_(keys), root_(root), path_(std::move(path)), base_(std::move(base)) {}

  std::optional<RegValue> Query(const std::string& name) override {
    if (const Changes* c = Find()) {
      const auto it = c->values.find(ValueSlot(name));
      if (it != c->values.end()) return it->second;
      if (c->created) return std::nullopt;  // a key made here shows nothing of the base
    }
    return base_ ? base_->Query(name) : std::nullopt;
  }
  RegResult SetValue(const std::string& name, const RegValue& value) override {
    if (AsCString(name).size() > kMaxValueNameLength) return {kErrorInvalidParameter};
    Own().values[ValueSlot(name)] = value;
    return {};
  }
  RegResult DeleteValue(const std::string& name) override {
    if (!Query(name)) return {kErrorFileNotFound};
    Own().values[ValueSlot(name)] = std::nullopt;
    return {};
  }
  std::optional<std::vector<std::string>> SubKeys() override {
    std::vector<std::string> names;
    const Changes* own = Find();
    if (base_ && !(own && own->created)) {
      auto baseNames = base_->SubKeys();
      if (!baseNames) return std::nullopt;
      for (auto& name : *baseNames)
        if (owner_.KeyExists(root_, path_ + "\\" + name)) names.push_back(std::move(name));
    }
    const std::string upper = FoldedRegistryName(path_);
    for (const auto& [id, c] : keys_) {
      if (id.first != root_ || !c.created || c.deleted || FoldedRegistryName(ParentOf(c.path)) != upper) continue;
      const std::string name = c.path.substr(c.path.rfind('\\') + 1);
      bool listed = false;
      for (const auto& n : names) listed = listed || SameRegistryName(n, name);
      if (!listed) names.push_back(name);
    }
    return names;
  }
  // The base's count, with the values set here that it lacks and without
  // those deleted here that it has.
  std::optional<std::size_t> ValueCount() override {
    const Changes* own = Find();
    const bool baseShows = base_ && !(own && own->created);
    std::size_t count = 0;
    if (baseShows) {
      const auto baseCount = base_->ValueCount();
      if (!baseCount) return std::nullopt;
      count = *baseCount;
    }
    if (!own) return count;
    for (const auto& [name, value] : own->values) {
      const bool inBase = baseShows && base_->Query(name).has_value();
      if (value && !inBase) ++count;
      if (!value && inBase) --count;
    }
    return count;
  }

 private:
  const Changes* Find() const {
    const auto it = keys_.find({root_, FoldedRegistryName(path_)});
    return it == keys_.end() ? nullptr : &it->second;
  }
  Changes& Own() {
    Changes& c = keys_[{root_, FoldedRegistryName(path_)}];
    if (c.path.empty()) c.path = path_;
    return c;
  }

  OverlayRegistry& owner_;
  std::map<OverlayRegistry::KeyId, Changes>& keys_;
  RegRoot root_;
  std::string path_;
  std::unique_ptr<RegistryKey> base_;
};

OverlayRegistry::KeyChanges* OverlayRegistry::Changes(RegRoot root, const std::string& path) {
  const auto it = keys_.find({root, FoldedRegistryName(Normal(path))});
  return it == keys_.end() ? nullptr : &it->second;
}

OverlayRegistry::KeyChanges& OverlayRegistry::ChangesFor(RegRoot root, const std::string& path) {
  const std::string normal = Normal(path);
  KeyChanges& c = keys_[{root, FoldedRegistryName(normal)}];
  if (c.path.empty()) c.path = normal;
  return c;
}

bool OverlayRegistry::ExistsInBase(RegRoot root, const std::string& path) {
  const KeyChanges* c = Changes(root, path);
  return !(c && c->created) && base_.KeyExists(root, path);
}

bool OverlayRegistry::KeyExists(RegRoot root, const std::string& path) {
  const auto parts = Parts(path);
  // No such key can exist; and the walks below would take the square of its depth.
  if (!KeyPathBeyondLimits(parts).empty()) return false;
  // A key deleted here takes its subkeys with it.
  for (std::size_t n = 1; n <= parts.size(); ++n) {
    const KeyChanges* c = Changes(root, Joined(parts, n));
    if (c && c->deleted) return false;
  }
  const KeyChanges* c = Changes(root, path);
  return (c && c->created) || base_.KeyExists(root, path);
}

RegResult OverlayRegistry::RefusalToCreate(RegRoot root, const std::string& path) {
  for (std::string above = ParentOf(Normal(path)); !above.empty(); above = ParentOf(above)) {
    if (!KeyExists(root, above)) continue;
    if (!ExistsInBase(root, above)) return {};
    const auto opened = base_.OpenKey(root, above, false);
    return opened.key ? RegResult{} : opened.result;
  }
  return {};
}

OpenedKey OverlayRegistry::OpenKey(RegRoot root, const std::string& path, bool create) {
  const auto parts = Parts(path);
  if (!KeyPathBeyondLimits(parts).empty()) return {nullptr, {create ? kErrorInvalidParameter : kErrorFileNotFound}};
  const std::string normal = Joined(parts, parts.size());
  if (!KeyExists(root, normal)) {
    if (!create) return {nullptr, {kErrorFileNotFound}};
    if (const RegResult refused = RefusalToCreate(root, normal); !refused) return {nullptr, refused};
    for (std::size_t n = 1; n <= parts.size(); ++n) {
      const std::string key = Joined(parts, n);
      if (KeyExists(root, key)) continue;
      KeyChanges& c = ChangesFor(root, key);
      c = KeyChanges{c.path, true, false, {}};  // made anew: nothing of a deleted base key shows
    }
  }
  std::unique_ptr<RegistryKey> base;
  if (ExistsInBase(root, normal)) {
    auto opened = base_.OpenKey(root, normal, false);
    if (!opened.key) return opened;
    base = std::move(opened.key);
  }
  return {std::make_unique<OverlayKey>(*this, keys_, root, normal, std::move(base)), {}};
}

RegResult OverlayRegistry::DeleteKey(RegRoot root, const std::string& path) {
  if (Normal(path).empty()) return {kErrorInvalidParameter};  // a root key stays, as the backends answer
  auto opened = OpenKey(root, path, false);
  if (!opened.key) return opened.result;
  const auto subkeys = opened.key->SubKeys();
  if (!subkeys || !subkeys->empty()) return {kErrorAccessDenied};  // as RegDeleteKey answers for a key with subkeys
  KeyChanges& c = ChangesFor(root, path);
  c = KeyChanges{c.path, false, true, {}};
  return {};
}

bool OverlayRegistry::DeleteKeyTree(RegRoot root, const std::string& path) {
  if (Normal(path).empty() || !KeyExists(root, path)) return false;
  KeyChanges& c = ChangesFor(root, path);
  c = KeyChanges{c.path, false, true, {}};
  return true;
}

}  // namespace velomar::platform
