// Key names, value names and text data beyond the ANSI code page through
// the system's registry: UTF-8 in the program, UTF-16 in Windows' registry.
#include <gtest/gtest.h>

#include "platform/Registry.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velomar::platform {
namespace {

constexpr const char* kText = "M\xC3\xBCller \xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE5\x90\x8D\xE5\x89\x8D";
// Beside the registry suites' own keys under VelomarTest, which it leaves alone.
constexpr const char* kParent = "Software\\VelomarTest\\Utf8";
const std::string kKey = std::string(kParent) + "\\" + kText;

TEST(Utf8Registry, NamesAndTextsKeepEveryCharacterAndBytesStayBytes) {
  Registry& registry = SystemRegistry();
  registry.DeleteKeyTree(RegRoot::CurrentUser, kParent);
  auto key = registry.Open(RegRoot::CurrentUser, kKey, true);
  ASSERT_TRUE(key);
  const RegValue text = RegValue::String(kText);
  const RegValue expandable = RegValue::String(std::string("%APPDATA%\\") + kText, kRegExpandSz);
  const RegValue list = RegValue::String(std::string(kText) + '\0' + "two" + '\0' + '\0', kRegMultiSz);
  RegValue binary;
  binary.type = kRegBinary;
  binary.data = std::string("\xC3\x00\xFF", 3);
  EXPECT_TRUE(key->SetValue(kText, text));
  EXPECT_TRUE(key->SetValue("Expandable", expandable));
  EXPECT_TRUE(key->SetValue("List", list));
  EXPECT_TRUE(key->SetValue("Binary", binary));
  EXPECT_EQ(key->Query(kText), text);
  EXPECT_EQ(key->Query("Expandable"), expandable);
  EXPECT_EQ(key->Query("List"), list);
  EXPECT_EQ(key->Query("Binary"), binary);
  const auto parent = registry.Open(RegRoot::CurrentUser, kParent, false);
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->SubKeys(), std::vector<std::string>{kText});
#ifdef _WIN32
  // What other programs read: the same characters in UTF-16.
  const std::wstring name = L"M\u00FCller \u041F\u0451\u0442\u0440 \u540D\u524D";
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\VelomarTest\\Utf8\\" + name).c_str(), 0, KEY_READ, &raw),
            ERROR_SUCCESS);
  wchar_t stored[64] = {};
  DWORD size = sizeof stored;
  EXPECT_EQ(RegQueryValueExW(raw, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size),
            ERROR_SUCCESS);
  RegCloseKey(raw);
  EXPECT_EQ(std::wstring(stored), name);
#endif
  EXPECT_TRUE(registry.DeleteKeyTree(RegRoot::CurrentUser, kParent));
}

}  // namespace
}  // namespace velomar::platform
