#pragma once
// A registry that reads through to another and keeps its own changes in
// memory: what a pass would do to the base, seen by the pass as done, with
// the base untouched (velomar-cli --dry-run). A key the base refuses to
// open is refused here too, and so is a new key under one the base
// refuses, a path or value name beyond Windows' limits and the deletion of
// a root key, so that a dry run meets the refusals the real run would.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/Registry.h"

namespace velomar::platform {

class OverlayRegistry : public Registry {
 public:
  explicit OverlayRegistry(Registry& base) : base_(base) {}

  OpenedKey OpenKey(RegRoot root, const std::string& path, bool create) override;
  bool KeyExists(RegRoot root, const std::string& path) override;
  RegResult DeleteKey(RegRoot root, const std::string& path) override;
  bool DeleteKeyTree(RegRoot root, const std::string& path) override;

  // A key's changes: values set (a value) or deleted (nothing), by
  // upper-cased name, and whether the key was created or deleted here.
  struct KeyChanges {
    std::string path;  // as first named, without outer backslashes
    bool created = false;
    bool deleted = false;
    std::map<std::string, std::optional<RegValue>> values;
  };
  using KeyId = std::pair<RegRoot, std::string>;  // the upper-cased path

 private:
  KeyChanges* Changes(RegRoot root, const std::string& path);
  KeyChanges& ChangesFor(RegRoot root, const std::string& path);
  bool ExistsInBase(RegRoot root, const std::string& path);
  // Why the base would refuse to create the key: the nearest existing key
  // above it refuses to be opened.
  RegResult RefusalToCreate(RegRoot root, const std::string& path);

  Registry& base_;
  std::map<KeyId, KeyChanges> keys_;
};

}  // namespace velomar::platform
