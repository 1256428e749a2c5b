// What only the memory registry can show: the Windows enumeration order of
// the characters Wine orders differently, and the REGEDIT4 reader and
// writer. (How the store meets its refusals: tests/registry.)
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"

namespace velomar {
namespace {

using platform::MemoryRegistry;
using platform::RegRoot;

MemoryRegistry& Loaded(MemoryRegistry& registry, const std::string& text) {
  std::string error;
  EXPECT_TRUE(registry.LoadRegText(text, error)) << error;
  return registry;
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

// Loads what `registry` saves into a fresh registry, which must hold the same
// tree and save the same text.
void ExpectSavedTextLoadsBackIdentically(const MemoryRegistry& registry) {
  const std::string saved = registry.SaveRegText();
  MemoryRegistry again;
  std::string error;
  ASSERT_TRUE(again.LoadRegText(saved, error)) << error;
  EXPECT_TRUE(again.SameTree(registry)) << saved;
  EXPECT_EQ(again.SaveRegText(), saved);
}

std::string Chain(std::size_t depth, std::size_t nameLength) {
  std::string path = "HKEY_CURRENT_USER";
  for (std::size_t i = 0; i < depth; ++i) path += "\\" + std::string(nameLength, static_cast<char>('a' + i % 26));
  return path;
}

TEST(MemoryRegistry, KeysAsDeepAndNamesAsLongAsWindowsAllowsAndNoMore) {
  MemoryRegistry registry;
  const std::string deepest = "[" + Chain(platform::kMaxKeyDepth, 100) + "]\n";
  const std::string longest = "[HKCU\\" + std::string(platform::kMaxKeyNameLength, 'k') + "]\n\"" +
                              std::string(platform::kMaxValueNameLength, 'v') + "\"=dword:00000001\n";
  Loaded(registry, "REGEDIT4\n" + deepest + longest);
  ExpectSavedTextLoadsBackIdentically(registry);
  // Only the deepest key needs a header: the text grows with the tree.
  EXPECT_LT(registry.SaveRegText().size(), 2 * (deepest.size() + longest.size()));

  const std::string before = registry.SaveRegText();
  const struct {
    std::string text;
    const char* why;
  } refused[] = {
      {"REGEDIT4\n[HKCU\\Fine]\n[" + Chain(platform::kMaxKeyDepth + 1, 1) + "]\n", "line 3: key deeper than 512"},
      {"REGEDIT4\n[-" + Chain(platform::kMaxKeyDepth + 1, 1) + "]\n", "line 2: key deeper than 512"},
      {"REGEDIT4\n\n[HKCU\\" + std::string(platform::kMaxKeyNameLength + 1, 'k') + "\\x]\n",
       "line 3: key name longer than 255"},
      {"REGEDIT4\n[HKCU\\Fine]\n\"" + std::string(platform::kMaxValueNameLength + 1, 'v') + "\"=-\n",
       "line 3: value name longer than 16383"},
  };
  for (const auto& c : refused) {
    std::string error;
    EXPECT_FALSE(registry.LoadRegText(c.text, error));
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
    EXPECT_EQ(registry.SaveRegText(), before) << "a refused file changes nothing";
  }
}

TEST(MemoryRegistry, WhatTheWriterSavesLoadsBackIdentically) {
  MemoryRegistry registry;
  Loaded(registry,
         "REGEDIT4\n[HKEY_CURRENT_USER]\n\"AtTheRoot\"=dword:00000001\n"
         "[HKCU\\Lines]\n\"LF\"=hex(1):61,0a,62\n\"CR\"=hex(1):61,0d\n\"CRLF\"=hex(1):0d,0a,00\n"
         // Only hex data continues after a final backslash, not a comment.
         "; see =hex\\\n\"After\"=dword:00000002\n"
         "[HKCU\\Empty\\Leaf]\n[HKCU\\Case\\Inner]\n[HKCU\\CASE]\n\"V\"=\"v\"\n");
  auto lines = registry.Open(RegRoot::CurrentUser, "Lines", false);
  EXPECT_EQ(lines->Query("LF")->data, "a\nb");
  EXPECT_EQ(lines->Query("After")->AsDword(), 2u);
  EXPECT_EQ(registry.SaveRegText().find("a\nb"), std::string::npos) << "no value spans two lines";
  ExpectSavedTextLoadsBackIdentically(registry);
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
