// What only the memory registry can show: keys that refuse full access, the
// Windows enumeration order of the characters Wine orders differently, and
// the REGEDIT4 reader and writer.
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"
#include "registry/Unit_RegOperation.h"

namespace velomar {
namespace {

using platform::MemoryRegistry;
using platform::RegRoot;

constexpr const char* kHKLM = "HKEY_LOCAL_MACHINE";
constexpr const char* kTcp = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

MemoryRegistry& Loaded(MemoryRegistry& registry, const std::string& text) {
  std::string error;
  EXPECT_TRUE(registry.LoadRegText(text, error)) << error;
  return registry;
}

TEST(MemoryRegistry, KeyWithoutFullAccessLooksEmptyToTheStore) {
  MemoryRegistry registry;
  Loaded(registry,
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n"
         "\"DefaultTTL\"=dword:00000080\n"
         "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{A}]\n");
  ASSERT_TRUE(registry.DenyFullAccess(RegRoot::LocalMachine, kTcp));
  ScopedRegistry scoped(registry);

  EXPECT_TRUE(RegKeyExists(kHKLM, kTcp)) << "existence needs read rights only";
  EXPECT_EQ(ReadRegInteger(kHKLM, kTcp, "DefaultTTL"), RegNoValue);
  EXPECT_NE(RegValueStatus(kHKLM, kTcp, "DefaultTTL"), 0);
  EXPECT_FALSE(DeleteRegValue(kHKLM, kTcp, "DefaultTTL"));
  std::vector<std::string> names;
  EXPECT_FALSE(ListRegSubKeys(kHKLM, kTcp, names));
  WriteRegInteger(kHKLM, kTcp, "DefaultTTL", 64);  // silently refused

  registry.Clear();
  Loaded(registry, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM]\n");
  EXPECT_EQ(ReadRegInteger(kHKLM, kTcp, "DefaultTTL"), RegNoValue);
}

TEST(MemoryRegistry, DeniedKeyKeepsItsValue) {
  MemoryRegistry registry;
  Loaded(registry, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"V\"=dword:00000001\n");
  registry.DenyFullAccess(RegRoot::LocalMachine, "K");
  {
    ScopedRegistry scoped(registry);
    WriteRegInteger(kHKLM, "\\K", "V", 2);
  }
  EXPECT_NE(registry.SaveRegText().find("\"V\"=dword:00000001"), std::string::npos);
}

TEST(MemoryRegistry, EnumeratesByUpperCasedNameAsWindowsDoes) {
  MemoryRegistry registry;
  Loaded(registry,
         "REGEDIT4\n[HKEY_CURRENT_USER\\O\\_x]\n[HKEY_CURRENT_USER\\O\\b]\n[HKEY_CURRENT_USER\\O\\A]\n"
         "[HKEY_CURRENT_USER\\O\\Z]\n");
  auto key = registry.Open(RegRoot::CurrentUser, "O", false);
  ASSERT_TRUE(key);
  // Windows compares upper-cased names, so '_' (after 'Z') follows the letters.
  EXPECT_EQ(*key->SubKeys(), (std::vector<std::string>{"A", "b", "Z", "_x"}));
}

TEST(MemoryRegistry, RegTextRoundTripKeepsTypesAndCase) {
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Soft\\Key]\r\n"
      "\"Dw\"=dword:0000abcd\r\n\"Sz\"=\"a \\\"q\\\" \\\\ b\"\r\n\"Ex\"=hex(2):25,41,25,00\r\n"
      "\"Bin\"=hex:de,ad,\\\r\n  be,ef\r\n\"Multi\"=hex(7):61,00,62,00,00\r\n@=\"default\"\r\n";
  MemoryRegistry registry;
  Loaded(registry, text);
  auto key = registry.Open(RegRoot::LocalMachine, "soft\\KEY", false);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->Query("dw")->AsDword(), 0xabcdu);
  EXPECT_EQ(*key->Query("Sz"), platform::RegValue::String("a \"q\" \\ b"));
  EXPECT_EQ(*key->Query("Ex"), platform::RegValue::String("%A%", platform::kRegExpandSz));
  EXPECT_EQ(key->Query("Bin")->data, std::string("\xde\xad\xbe\xef"));
  EXPECT_EQ(key->Query("Multi")->type, platform::kRegMultiSz);
  EXPECT_EQ(key->Query("")->data, "default");

  MemoryRegistry again;
  Loaded(again, registry.SaveRegText());
  EXPECT_EQ(again.SaveRegText(), registry.SaveRegText());
  EXPECT_NE(registry.SaveRegText().find("[HKEY_LOCAL_MACHINE\\Soft\\Key]"), std::string::npos)
      << "names keep their case";
}

TEST(MemoryRegistry, RefusesBadTextWholeAndSaysWhere) {
  MemoryRegistry registry;
  Loaded(registry, "REGEDIT4\n[HKEY_CURRENT_USER\\Keep]\n\"V\"=dword:00000001\n");
  const std::string before = registry.SaveRegText();
  const struct {
    const char* text;
    const char* where;
  } cases[] = {
      {"not a reg file\n", "line 1"},
      {"REGEDIT4\n[HKEY_NOWHERE\\X]\n", "line 2"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"A\"=dword:1\n\"B\"=dword:xyz\n", "line 4"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"A\"=dword:123456789\n", "line 3"},
      {"REGEDIT4\n\"A\"=dword:00000001\n", "line 2"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"A=dword:00000001\n", "line 3"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"A\"=hex:0g\n", "line 3"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(registry.LoadRegText(c.text, error)) << c.text;
    EXPECT_NE(error.find(c.where), std::string::npos) << error;
    EXPECT_EQ(registry.SaveRegText(), before) << "a refused file changes nothing: " << c.text;
  }
}

TEST(MemoryRegistry, DeletionsInRegText) {
  MemoryRegistry registry;
  Loaded(registry, "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"V\"=dword:00000001\n\"W\"=dword:00000002\n");
  Loaded(registry, "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"V\"=-\n");
  auto key = registry.Open(RegRoot::CurrentUser, "A\\B", false);
  EXPECT_FALSE(key->Query("V"));
  EXPECT_TRUE(key->Query("W"));
  Loaded(registry, "REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n");
  EXPECT_FALSE(registry.KeyExists(RegRoot::CurrentUser, "A\\B"));
}

}  // namespace
}  // namespace velomar
