#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Registry.h"
#include "platform/win32/Win32ErrorText.h"
#include "platform/win32/Win32Text.h"

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

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The data as the program holds it: text types as UTF-8 (a REG_SZ without
// its terminating NUL, a REG_MULTI_SZ with all of its NULs), others as bytes.
std::string ProgramData(DWORD type, const std::vector<BYTE>& buffer, DWORD size) {
  if (!IsTextType(type)) return std::string(reinterpret_cast<const char*>(buffer.data()), size);
  std::wstring text(size / sizeof(wchar_t), L'\0');
  std::copy_n(buffer.data(), text.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
  if (type != REG_MULTI_SZ && !text.empty() && text.back() == L'\0') text.resize(text.find(L'\0'));
  return WideToUtf8(text);
}

// The bytes the registry stores for the program's data.
std::vector<BYTE> StoredData(const RegValue& value) {
  if (!IsTextType(value.type)) return {value.data.begin(), value.data.end()};
  std::wstring text = Utf8ToWide(value.data);
  if (value.type != REG_MULTI_SZ) text += L'\0';
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  return {bytes, bytes + text.size() * sizeof(wchar_t)};
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
    const std::wstring wideName = Utf8ToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> buffer;
    // The value may grow between the two calls; try a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
      buffer.assign(size + 2, 0);
      DWORD got = size;
      rc = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, buffer.data(), &got);
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
    value.data = ProgramData(type, buffer, size);
    return value;
  }

  RegResult SetValue(const std::string& name, const RegValue& value) override {
    const std::vector<BYTE> bytes = StoredData(value);
    return {
        RegSetValueExW(key_, Utf8ToWide(name).c_str(), 0, value.type, bytes.data(), static_cast<DWORD>(bytes.size()))};
  }

  RegResult DeleteValue(const std::string& name) override { return {RegDeleteValueW(key_, Utf8ToWide(name).c_str())}; }

  std::optional<std::size_t> ValueCount() override {
    DWORD values = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
      return std::nullopt;
    return values;
  }

  std::optional<std::vector<std::string>> SubKeys() override {
    std::vector<std::string> names;
    wchar_t name[256];  // a key name has at most 255 characters
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name / sizeof name[0];
      const LONG rc = RegEnumKeyExW(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) return names;
      if (rc != ERROR_SUCCESS) return std::nullopt;
      names.push_back(WideToUtf8(std::wstring_view(name, length)));
    }
  }

 private:
  HKEY key_;
};

// The native API takes paths without the leading backslash the program uses.
std::wstring NativePath(const std::string& path) {
  std::size_t start = 0;
  while (start < path.size() && path[start] == '\\') ++start;
  return Utf8ToWide(std::string_view(path).substr(start));
}

class Win32Registry : public Registry {
 public:
  OpenedKey OpenKey(RegRoot root, const std::string& path, bool create) override {
    HKEY key = nullptr;
    const std::wstring native = NativePath(path);
    LONG rc;
    if (create) {
      rc = RegCreateKeyExW(RootHandle(root), native.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS | kViewFlag, nullptr, &key, nullptr);
    } else {
      rc = RegOpenKeyExW(RootHandle(root), native.c_str(), 0, KEY_ALL_ACCESS | kViewFlag, &key);
    }
    if (rc != ERROR_SUCCESS) return {nullptr, {rc}};
    return {std::make_unique<Win32Key>(key), {}};
  }

  bool KeyExists(RegRoot root, const std::string& path) override {
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExW(RootHandle(root), NativePath(path).c_str(), 0,
                                  STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | kViewFlag, &key);
    if (rc != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // RegDeleteKeyW refuses a key with subkeys. It has no view flag (32-bit
  // XP lacks RegDeleteKeyEx), which matters nowhere here: the keys a pass
  // creates lie under HKLM\SYSTEM and HKCU\Software, which WOW64 does not
  // redirect.
  RegResult DeleteKey(RegRoot root, const std::string& path) override {
    const std::wstring native = NativePath(path);
    if (native.empty()) return {ERROR_INVALID_PARAMETER};
    return {RegDeleteKeyW(RootHandle(root), native.c_str())};
  }

  bool DeleteKeyTree(RegRoot root, const std::string& path) override {
    // RegDeleteTree is newer than XP: delete the subkeys one by one.
    const std::wstring native = NativePath(path);
    if (native.empty()) return false;
    if (auto key = Open(root, path, false)) {
      if (auto subkeys = key->SubKeys())
        for (const auto& name : *subkeys) DeleteKeyTree(root, path + "\\" + name);
    } else {
      return false;
    }
    return RegDeleteKeyW(RootHandle(root), native.c_str()) == ERROR_SUCCESS;
  }
};

}  // namespace

std::string RegErrorText(std::int32_t code) { return Win32ErrorText(static_cast<DWORD>(code)); }

Registry& SystemRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace velomar::platform
