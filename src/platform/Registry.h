#pragma once
// Registry seam: the few operations the registry store is written over.
// Two backends: advapi32 on Windows and an in-memory registry elsewhere
// (MemoryRegistry), which follows the Windows semantics the store relies on.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velomar::platform {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

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

// A key opened with full access. Paths below are relative to the root and
// carry no leading backslash.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Nothing when the value does not exist or cannot be read.
  virtual std::optional<RegValue> Query(const std::string& name) = 0;
  virtual bool SetValue(const std::string& name, const RegValue& value) = 0;
  virtual bool DeleteValue(const std::string& name) = 0;
  // Immediate subkey names in the registry's enumeration order; nothing on error.
  virtual std::optional<std::vector<std::string>> SubKeys() = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens with full access (KEY_ALL_ACCESS); with create, missing keys and
  // parents are created first. Null when the key cannot be opened.
  virtual std::unique_ptr<RegistryKey> Open(RegRoot root, const std::string& path, bool create) = 0;
  // Existence test with read rights only.
  virtual bool KeyExists(RegRoot root, const std::string& path) = 0;
  // Removes a key with all its subkeys and values (tests and tools).
  virtual bool DeleteKeyTree(RegRoot root, const std::string& path) = 0;
};

// The registry of this system: the real one on Windows; on other systems a
// process-wide MemoryRegistry (which velomar-cli loads from a .reg file).
Registry& SystemRegistry();

// "HKEY_LOCAL_MACHINE" and so on, exactly as Windows spells them.
const char* RootName(RegRoot root);

}  // namespace velomar::platform
