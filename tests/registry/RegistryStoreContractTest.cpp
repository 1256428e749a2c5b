// The registry store's contract, run on both backends: natively against the
// memory registry, under Wine against the real registry. Both are seeded
// from tests/data/registry/contract.reg.
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"
#include "registry/RegistryStore.h"
#include "support/TestSupport.h"

namespace velomar {
namespace {

constexpr const char* kHKCU = "HKEY_CURRENT_USER";
constexpr const char* kHKLM = "HKEY_LOCAL_MACHINE";
constexpr const char* kContract = "\\Software\\VelomarTest\\Contract";
constexpr const char* kScratch = "\\Software\\VelomarTest\\Scratch";

class RegistryStoreContract : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    std::string error;
    ASSERT_TRUE(memory_.LoadRegFile(test::DataFile("registry/contract.reg"), error)) << error;
    scoped_.emplace(memory_);
#endif
    ASSERT_TRUE(RegKeyExists(kHKCU, kContract)) << "the contract fixture was not imported";
    Clean();
  }
  void TearDown() override { Clean(); }

  static void Clean() {
    ActiveRegistry().DeleteKeyTree(platform::RegRoot::CurrentUser, kScratch);
    ActiveRegistry().DeleteKeyTree(platform::RegRoot::LocalMachine, kScratch);
  }

 private:
  platform::MemoryRegistry memory_;
  std::optional<ScopedRegistry> scoped_;
};

TEST_F(RegistryStoreContract, ReadsOnlyDwordValuesAsIntegers) {
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Dword"), 1500);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Text"), RegNoValue) << "a REG_SZ holding 1500 is no integer";
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Binary"), RegNoValue);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Missing"), RegNoValue);
  EXPECT_EQ(ReadRegInteger(kHKCU, std::string(kContract) + "\\NoSuchKey", "Dword"), RegNoValue);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Max"), RegNoValue) << "a stored 2147483647 reads as no value";
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "AllBits"), -1);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "mixedcase"), 7) << "value names ignore letter case";
  EXPECT_EQ(ReadRegInteger(kHKCU, "\\SOFTWARE\\velomartest\\CONTRACT", "Dword"), 1500) << "key paths too";
}

TEST_F(RegistryStoreContract, ReadsStringsUnexpandedAndNothingElse) {
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Text"), "1500");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Expand"), "%TEMP%\\x");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Quoted"), "say \"hi\" C:\\temp");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Dword"), "");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Missing"), "");
  EXPECT_EQ(ReadRegString(kHKCU, "\\Software\\VelomarTest\\Nowhere", "Text"), "");
}

TEST_F(RegistryStoreContract, StatusCodes) {
  EXPECT_EQ(RegValueStatus(kHKCU, kContract, "Dword"), 0);
  EXPECT_EQ(RegValueStatus(kHKCU, kContract, "Text"), 0) << "status tests presence, whatever the type";
  EXPECT_EQ(RegValueStatus(kHKCU, kContract, "Missing"), 2);
  EXPECT_EQ(RegValueStatus(kHKCU, std::string(kContract) + "\\NoSuchKey", "Dword"), 1);
  EXPECT_EQ(RegValueStatus("HKEY_Current_User", kContract, "Dword"), -1);
  EXPECT_EQ(RegValueStatus("HKCU", kContract, "Dword"), -1);
}

TEST_F(RegistryStoreContract, WriteCreatesMissingKeysAndReplacesAnyType) {
  const std::string deep = std::string(kScratch) + "\\One\\Two\\Three";
  WriteRegInteger(kHKLM, deep, "MTU", 1492);
  EXPECT_TRUE(RegKeyExists(kHKLM, deep));
  EXPECT_EQ(ReadRegInteger(kHKLM, deep, "MTU"), 1492);

  WriteRegInteger(kHKCU, kScratch, "Was", 1);
  WriteRegInteger(kHKCU, kScratch, "was", -2);
  EXPECT_EQ(ReadRegInteger(kHKCU, kScratch, "WAS"), -2);

  // A string value is replaced by the integer.
  platform::RegValue text = platform::RegValue::String("1500");
  ActiveRegistry().Open(platform::RegRoot::CurrentUser, kScratch, true)->SetValue("Str", text);
  WriteRegInteger(kHKCU, kScratch, "Str", 1500);
  EXPECT_EQ(ReadRegInteger(kHKCU, kScratch, "Str"), 1500);
  EXPECT_EQ(ReadRegString(kHKCU, kScratch, "Str"), "");
}

// A restore gives a value of another type back as a backup recorded it; a
// root key is never deleted.
TEST_F(RegistryStoreContract, WritesAValueOfAnyTypeAsItIsGiven) {
  using platform::RegValue;
  const RegValue values[] = {
      RegValue::String("90"),
      RegValue::String("%TEMP%", platform::kRegExpandSz),
      {platform::kRegBinary, std::string("\x01\x00\xff", 3)},
      {platform::kRegDword, std::string("\xff", 1)},
      {platform::kRegMultiSz, std::string("a\0b\0\0", 5)},
      {platform::kRegNone, ""},
  };
  for (const RegValue& value : values) {
    ASSERT_TRUE(WriteRegValue(kHKCU, kScratch, "Typed", value)) << value.type;
    EXPECT_EQ(SnapshotRegValue(kHKCU, kScratch, "Typed").value, value) << value.type;
  }
  EXPECT_EQ(ActiveRegistry().DeleteKey(platform::RegRoot::CurrentUser, "\\").code, platform::kErrorInvalidParameter);
}

TEST_F(RegistryStoreContract, UnknownRootNameWritesUnderCurrentUser) {
  WriteRegInteger("HKEY_local_machine", kScratch, "Where", 5);
  EXPECT_EQ(ReadRegInteger(kHKCU, kScratch, "Where"), 5);
  EXPECT_EQ(RegValueStatus(kHKLM, kScratch, "Where"), 1);
  EXPECT_EQ(ReadRegInteger("nonsense", kScratch, "Where"), 5);
}

TEST_F(RegistryStoreContract, DeleteOnlyWhatExists) {
  WriteRegInteger(kHKCU, kScratch, "Gone", 1);
  EXPECT_TRUE(DeleteRegValue(kHKCU, kScratch, "gone"));
  EXPECT_EQ(RegValueStatus(kHKCU, kScratch, "Gone"), 2);
  EXPECT_EQ(DeleteRegValue(kHKCU, kScratch, "Gone").code, platform::kErrorFileNotFound)
      << "deleting a missing value fails";
  EXPECT_EQ(DeleteRegValue(kHKCU, std::string(kScratch) + "\\Nowhere", "Gone").code, platform::kErrorFileNotFound);
  EXPECT_FALSE(RegKeyExists(kHKCU, std::string(kScratch) + "\\Nowhere")) << "a delete never creates a key";
}

// What a restore does with a key a pass created: it goes only when nothing
// is left in it.
TEST_F(RegistryStoreContract, AKeyIsDeletedOnlyWhenItHoldsNothing) {
  const std::string made = std::string(kScratch) + "\\Made";
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made)) << "a missing key is nothing to do";
  WriteRegInteger(kHKCU, made + "\\Child", "MTU", 1500);
  WriteRegInteger(kHKCU, made, "MTU", 1500);
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made + "\\Child")) << "not empty: left alone";
  EXPECT_TRUE(RegKeyExists(kHKCU, made + "\\Child"));
  ASSERT_TRUE(DeleteRegValue(kHKCU, made + "\\Child", "MTU"));
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made + "\\Child"));
  EXPECT_FALSE(RegKeyExists(kHKCU, made + "\\Child"));
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made));
  EXPECT_TRUE(RegKeyExists(kHKCU, made)) << "it still holds a value";
  ASSERT_TRUE(DeleteRegValue(kHKCU, made, "MTU"));
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made));
  EXPECT_FALSE(RegKeyExists(kHKCU, made));
}

// A refusal comes with the system's sentence for it, as the user reads it.
TEST_F(RegistryStoreContract, ARefusalCarriesTheSystemsSentence) {
  for (const std::int32_t code : {platform::kErrorFileNotFound, platform::kErrorAccessDenied}) {
    const std::string text = platform::RegErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_NE(text.rfind("error ", 0), 0u) << code << ": " << text;
    EXPECT_NE(text.back(), '\n') << code;
  }
  EXPECT_EQ(platform::RegErrorText(123456), "error 123456") << "a code the system has no sentence for";
}

TEST_F(RegistryStoreContract, ListsSubkeysInEnumerationOrder) {
  std::vector<std::string> names = {"stale"};
  ASSERT_TRUE(ListRegSubKeys(kHKCU, std::string(kContract) + "\\Order", names));
  EXPECT_EQ(names, (std::vector<std::string>{"0001", "Alpha", "beta", "gamma", "Zeta", "{4D36E972-E325}"}));

  names = {"stale"};
  EXPECT_TRUE(ListRegSubKeys(kHKCU, std::string(kContract) + "\\Empty", names));
  EXPECT_TRUE(names.empty()) << "a key without subkeys gives an empty list";

  names = {"kept"};
  EXPECT_FALSE(ListRegSubKeys(kHKCU, std::string(kContract) + "\\Nowhere", names));
  EXPECT_EQ(names, std::vector<std::string>{"kept"}) << "a failed listing leaves the list alone";
  EXPECT_FALSE(RegKeyExists(kHKCU, std::string(kContract) + "\\Nowhere"));
}

TEST_F(RegistryStoreContract, ReadsNeverCreateKeys) {
  const std::string missing = std::string(kScratch) + "\\NotThere";
  ReadRegInteger(kHKCU, missing, "X");
  ReadRegString(kHKCU, missing, "X");
  RegValueStatus(kHKCU, missing, "X");
  std::vector<std::string> names;
  ListRegSubKeys(kHKCU, missing, names);
  EXPECT_FALSE(RegKeyExists(kHKCU, missing));
}

}  // namespace
}  // namespace velomar
