#pragma once
// Registry seam: the few operations the registry store is written over.
// Two backends: advapi32 on Windows and an in-memory registry elsewhere
// (MemoryRegistry), which follows the Windows semantics the store relies on.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velomar::platform {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };
inline constexpr RegRoot kRegRoots[] = {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine,
                                        RegRoot::Users, RegRoot::CurrentConfig};

// Value types, numbered as Windows numbers them.
enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// A stored value: its type and its bytes. String values hold their text
// without the terminating NUL; a REG_DWORD holds four little-endian bytes.
struct RegValue {
  std::uint32_t type = kRegNone;
  std::string data;

  static RegValue Dword(std::uint32_t value);
  static RegValue String(std::string text, std::uint32_t type = kRegSz);
  // The 32 bits of a REG_DWORD; nothing for any other type or size.
  std::optional<std::uint32_t> AsDword() const;
  bool operator==(const RegValue&) const = default;
};

// What the registry answered to a change: 0 (ERROR_SUCCESS) or the
// system's error code, numbered as Windows numbers them. True on success.
struct RegResult {
  std::int32_t code = 0;
  explicit operator bool() const { return code == 0; }
  bool operator==(const RegResult&) const = default;
};
inline constexpr std::int32_t kErrorFileNotFound = 2;  // no such key or value
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidParameter = 87;

// The system's sentence for an error code (FormatMessage on Windows, in the
// user's language), or "error N" when it has none.
std::string RegErrorText(std::int32_t code);

// A key opened with full access. Paths below are relative to the root and
// carry no leading backslash.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Nothing when the value does not exist or cannot be read.
  virtual std::optional<RegValue> Query(const std::string& name) = 0;
  virtual RegResult SetValue(const std::string& name, const RegValue& value) = 0;
  // Deleting a value that does not exist answers kErrorFileNotFound.
  virtual RegResult DeleteValue(const std::string& name) = 0;
  // Immediate subkey names in the registry's enumeration order; nothing on error.
  virtual std::optional<std::vector<std::string>> SubKeys() = 0;
  // How many values the key holds; nothing on error.
  virtual std::optional<std::size_t> ValueCount() = 0;
  // True when the key holds neither values nor subkeys; false also when
  // that cannot be told.
  bool IsEmpty() {
    const auto values = ValueCount();
    const auto subkeys = SubKeys();
    return values && subkeys && *values == 0 && subkeys->empty();
  }
};

// A key as an open answered: the key, or null and why not.
struct OpenedKey {
  std::unique_ptr<RegistryKey> key;
  RegResult result;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens with full access (KEY_ALL_ACCESS); with create, missing keys and
  // parents are created first. Without a key, the result says why.
  virtual OpenedKey OpenKey(RegRoot root, const std::string& path, bool create) = 0;
  // The same, null when the key cannot be opened.
  std::unique_ptr<RegistryKey> Open(RegRoot root, const std::string& path, bool create) {
    return OpenKey(root, path, create).key;
  }
  // Existence test with read rights only.
  virtual bool KeyExists(RegRoot root, const std::string& path) = 0;
  // Removes one key that has no subkeys, with its values.
  virtual RegResult DeleteKey(RegRoot root, const std::string& path) = 0;
  // Removes a key with all its subkeys and values (tests and tools).
  virtual bool DeleteKeyTree(RegRoot root, const std::string& path) = 0;
};

// The registry of this system: the real one on Windows; on other systems a
// process-wide MemoryRegistry (which velomar-cli loads from a .reg file).
Registry& SystemRegistry();

// "HKEY_LOCAL_MACHINE" and so on, exactly as Windows spells them.
const char* RootName(RegRoot root);
// The root a name selects: one of those five names, compared exactly
// (letter case too); nothing for any other.
std::optional<RegRoot> RootNamed(std::string_view name);

// What Windows allows: a key name of 255 characters, a value name of 16,383,
// and a tree 512 levels deep below its root. A registry refuses longer or
// deeper names (kErrorInvalidParameter).
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxKeyDepth = 512;
// Why Windows would refuse a key path given as its names below the root;
// empty when it would not.
std::string KeyPathBeyondLimits(const std::vector<std::string>& names);

// Key and value names compare without regard to case: the name folded to
// upper case, as a map key; and the comparison itself.
std::string FoldedRegistryName(std::string_view name);
bool SameRegistryName(std::string_view a, std::string_view b);

}  // namespace velomar::platform
