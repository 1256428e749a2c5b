#pragma once
// An in-memory registry with the Windows semantics the store relies on:
// key and value names are case-insensitive and case-preserving, subkeys are
// enumerated in the order Windows enumerates them (by upper-cased name),
// values keep their type and bytes, and a key can be marked as existing but
// not openable with full access; names beyond Windows' limits (Registry.h)
// are refused, by the .reg loader with the line and by Open and SetValue
// as the system refuses them. Loads and saves REGEDIT4 .reg text.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace velomar::platform {

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  OpenedKey OpenKey(RegRoot root, const std::string& path, bool create) override;
  bool KeyExists(RegRoot root, const std::string& path) override;
  RegResult DeleteKey(RegRoot root, const std::string& path) override;
  bool DeleteKeyTree(RegRoot root, const std::string& path) override;

  // Marks an existing key as one the process may see but not open with full
  // access (as a key under HKLM is for a user without administrator rights):
  // opening it, creating a key below it and deleting it are refused with
  // kErrorAccessDenied.
  bool DenyFullAccess(RegRoot root, const std::string& path);
  void Clear();

  // REGEDIT4 text. Load merges into the registry only when the whole text
  // parses; otherwise it changes nothing and says which line is wrong.
  // What Save writes, Load reads back into the same tree. Save writes a key
  // only where it holds values or has no subkeys (the keys above it come
  // with its path), so that the text grows with the tree, not with the
  // square of its depth.
  bool LoadRegText(const std::string& text, std::string& error);
  std::string SaveRegText() const;
  bool LoadRegFile(const std::string& path, std::string& error);
  bool SaveRegFile(const std::string& path, std::string& error) const;

  // The same keys, values and access marks, names compared as stored.
  bool SameTree(const MemoryRegistry& other) const;

  struct Node;

 private:
  Node* Find(RegRoot root, const std::string& path) const;
  // The key, created with its missing parents; null with the reason when
  // the path is beyond the limits or a parent refuses new subkeys (which
  // the .reg loader, working as the system, is not refused).
  Node* Create(RegRoot root, const std::string& path, RegResult& result, bool asSystem = false);

  std::map<RegRoot, std::unique_ptr<Node>> roots_;
};

// A root key name as regedit reads it in .reg files: HKEY_... or HKLM and
// so on, in any letter case.
std::optional<RegRoot> ParseRootName(const std::string& name);

}  // namespace velomar::platform
