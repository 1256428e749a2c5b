#include <windows.h>

#include <vector>

#include "platform/Registry.h"
#include "platform/win32/Win32ErrorText.h"

#ifndef KEY_WOW64_64KEY
#define KEY_WOW64_64KEY 0x0100
#endif

namespace velomar::platform {

namespace {

HKEY RootHandle(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
    case RegRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

// A 32-bit build on 64-bit Windows must tune the native view of HKLM, not
// the WOW64 one; the flag is ignored by 32-bit Windows XP.
constexpr REGSAM kViewFlag = KEY_WOW64_64KEY;

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}
  ~Win32Key() override { RegCloseKey(key_); }
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  std::optional<RegValue> Query(const std::string& name) override {
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> buffer;
    // The value may grow between the two calls; try a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
      buffer.assign(size + 2, 0);
      DWORD got = size;
      rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, buffer.data(), &got);
      if (rc == ERROR_SUCCESS) {
        size = got;
        break;
      }
      if (rc != ERROR_MORE_DATA) return std::nullopt;
      size = got;
    }
    if (rc != ERROR_SUCCESS) return std::nullopt;
    RegValue value;
    value.type = type;
    value.data.assign(reinterpret_cast<const char*>(buffer.data()), size);
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && !value.data.empty() && value.data.back() == '\0') {
      const auto end = value.data.find('\0');
      value.data.resize(end);
    }
    return value;
  }

  RegResult SetValue(const std::string& name, const RegValue& value) override {
    std::string bytes = value.data;
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) bytes += '\0';
    return {RegSetValueExA(key_, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size()))};
  }

  RegResult DeleteValue(const std::string& name) override { return {RegDeleteValueA(key_, name.c_str())}; }

  std::optional<std::size_t> ValueCount() override {
    DWORD values = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
      return std::nullopt;
    return values;
  }

  std::optional<std::vector<std::string>> SubKeys() override {
    std::vector<std::string> names;
    char name[512];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name;
      const LONG rc = RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) return names;
      if (rc != ERROR_SUCCESS) return std::nullopt;
      names.emplace_back(name, length);
    }
  }

 private:
  HKEY key_;
};

// The native API takes paths without the leading backslash the program uses.
std::string NativePath(const std::string& path) {
  std::size_t start = 0;
  while (start < path.size() && path[start] == '\\') ++start;
  return path.substr(start);
}

class Win32Registry : public Registry {
 public:
  OpenedKey OpenKey(RegRoot root, const std::string& path, bool create) override {
    HKEY key = nullptr;
    const std::string native = NativePath(path);
    LONG rc;
    if (create) {
      rc = RegCreateKeyExA(RootHandle(root), native.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS | kViewFlag, nullptr, &key, nullptr);
    } else {
      rc = RegOpenKeyExA(RootHandle(root), native.c_str(), 0, KEY_ALL_ACCESS | kViewFlag, &key);
    }
    if (rc != ERROR_SUCCESS) return {nullptr, {rc}};
    return {std::make_unique<Win32Key>(key), {}};
  }

  bool KeyExists(RegRoot root, const std::string& path) override {
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(RootHandle(root), NativePath(path).c_str(), 0,
                                  STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | kViewFlag, &key);
    if (rc != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // RegDeleteKeyA refuses a key with subkeys. It has no view flag (32-bit
  // XP lacks RegDeleteKeyEx), which matters nowhere here: the keys a pass
  // creates lie under HKLM\SYSTEM and HKCU\Software, which WOW64 does not
  // redirect.
  RegResult DeleteKey(RegRoot root, const std::string& path) override {
    const std::string native = NativePath(path);
    if (native.empty()) return {ERROR_INVALID_PARAMETER};
    return {RegDeleteKeyA(RootHandle(root), native.c_str())};
  }

  bool DeleteKeyTree(RegRoot root, const std::string& path) override {
    // RegDeleteTree is newer than XP: delete the subkeys one by one.
    const std::string native = NativePath(path);
    if (native.empty()) return false;
    if (auto key = Open(root, native, false)) {
      if (auto subkeys = key->SubKeys())
        for (const auto& name : *subkeys) DeleteKeyTree(root, native + "\\" + name);
    } else {
      return false;
    }
    return RegDeleteKeyA(RootHandle(root), native.c_str()) == ERROR_SUCCESS;
  }
};

}  // namespace

std::string RegErrorText(std::int32_t code) { return Win32ErrorText(static_cast<DWORD>(code)); }

Registry& SystemRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace velomar::platform
