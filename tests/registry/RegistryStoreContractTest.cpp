// The registry store's contract, run on both backends: natively against the
// memory registry, under Wine against the real registry. Both are seeded
// from tests/data/registry/contract.reg.
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"
#include "registry/RegistryStore.h"
#include "support/StoreHelpers.h"
#include "support/TestSupport.h"

namespace velomar {
namespace {

using platform::RegRoot;
using platform::RegValue;
using test::KeyExists;
using test::WriteNumber;
constexpr RegRoot kHKCU = RegRoot::CurrentUser;
constexpr RegRoot kHKLM = RegRoot::LocalMachine;
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
    ASSERT_TRUE(KeyExists(kHKCU, kContract)) << "the contract fixture was not imported";
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
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Text"), std::nullopt) << "a REG_SZ holding 1500 is no integer";
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Binary"), std::nullopt);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Missing"), std::nullopt);
  EXPECT_EQ(ReadRegInteger(kHKCU, std::string(kContract) + "\\NoSuchKey", "Dword"), std::nullopt);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "Max"), std::nullopt) << "a stored 2147483647 reads as no value";
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "AllBits"), -1);
  EXPECT_EQ(ReadRegInteger(kHKCU, kContract, "mixedcase"), 7) << "value names ignore letter case";
  EXPECT_EQ(ReadRegInteger(kHKCU, "\\SOFTWARE\\velomartest\\CONTRACT", "Dword"), 1500) << "key paths too";
}

TEST_F(RegistryStoreContract, ReadsStringsUnexpandedAndNothingElse) {
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Text"), "1500");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Expand"), "%TEMP%\\x");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Quoted"), "say \"hi\" C:\\temp");
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Dword"), std::nullopt);
  EXPECT_EQ(ReadRegString(kHKCU, kContract, "Missing"), std::nullopt);
  EXPECT_EQ(ReadRegString(kHKCU, "\\Software\\VelomarTest\\Nowhere", "Text"), std::nullopt);
}

TEST_F(RegistryStoreContract, Status) {
  EXPECT_TRUE(RegValueStatus(kHKCU, kContract, "Dword").Present());
  EXPECT_TRUE(RegValueStatus(kHKCU, kContract, "Text").Present()) << "status tests presence, whatever the type";
  EXPECT_EQ(RegValueStatus(kHKCU, kContract, "Text").value, RegValue::String("1500")) << "and holds the value";
  const RegValueSnapshot missing = RegValueStatus(kHKCU, kContract, "Missing");
  EXPECT_TRUE(missing.keyExists && missing.readable && !missing.Present());
  const RegValueSnapshot noKey = RegValueStatus(kHKCU, std::string(kContract) + "\\NoSuchKey", "Dword");
  EXPECT_TRUE(!noKey.keyExists && !noKey.Present());
}

TEST_F(RegistryStoreContract, WriteCreatesMissingKeysAndReplacesAnyType) {
  const std::string deep = std::string(kScratch) + "\\One\\Two\\Three";
  WriteNumber(kHKLM, deep, "MTU", 1492);
  EXPECT_TRUE(KeyExists(kHKLM, deep));
  EXPECT_EQ(ReadRegInteger(kHKLM, deep, "MTU"), 1492);

  WriteNumber(kHKCU, kScratch, "Was", 1);
  WriteNumber(kHKCU, kScratch, "was", -2);
  EXPECT_EQ(ReadRegInteger(kHKCU, kScratch, "WAS"), -2);

  // A string value is replaced by the integer.
  RegValue text = RegValue::String("1500");
  ActiveRegistry().Open(RegRoot::CurrentUser, kScratch, true)->SetValue("Str", text);
  WriteNumber(kHKCU, kScratch, "Str", 1500);
  EXPECT_EQ(ReadRegInteger(kHKCU, kScratch, "Str"), 1500);
  EXPECT_EQ(ReadRegString(kHKCU, kScratch, "Str"), std::nullopt);
}

// A restore gives a value of another type back as a backup recorded it; a
// root key is never deleted.
TEST_F(RegistryStoreContract, WritesAValueOfAnyTypeAsItIsGiven) {
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
    EXPECT_EQ(RegValueStatus(kHKCU, kScratch, "Typed").value, value) << value.type;
  }
  EXPECT_EQ(ActiveRegistry().DeleteKey(RegRoot::CurrentUser, "\\").code, platform::kErrorInvalidParameter);
}

// A name from a file selects a root only when it is one of the five,
// spelled exactly; any other is refused where the file is read, never
// taken as HKEY_CURRENT_USER.
TEST_F(RegistryStoreContract, UnknownRootNameSelectsNoRoot) {
  for (const RegRoot root : platform::kRegRoots) EXPECT_EQ(platform::RootNamed(platform::RootName(root)), root);
  EXPECT_EQ(platform::RootNamed("HKEY_Current_User"), std::nullopt);
  EXPECT_EQ(platform::RootNamed("HKCU"), std::nullopt);
  EXPECT_EQ(platform::RootNamed("HKEY_local_machine"), std::nullopt);
  EXPECT_EQ(platform::RootNamed("nonsense"), std::nullopt);
}

TEST_F(RegistryStoreContract, DeleteOnlyWhatExists) {
  WriteNumber(kHKCU, kScratch, "Gone", 1);
  EXPECT_TRUE(DeleteRegValue(kHKCU, kScratch, "gone"));
  EXPECT_FALSE(RegValueStatus(kHKCU, kScratch, "Gone").Present());
  EXPECT_EQ(DeleteRegValue(kHKCU, kScratch, "Gone").code, platform::kErrorFileNotFound)
      << "deleting a missing value fails";
  EXPECT_EQ(DeleteRegValue(kHKCU, std::string(kScratch) + "\\Nowhere", "Gone").code, platform::kErrorFileNotFound);
  EXPECT_FALSE(KeyExists(kHKCU, std::string(kScratch) + "\\Nowhere")) << "a delete never creates a key";
}

// What a restore does with a key a pass created: it goes only when nothing
// is left in it.
TEST_F(RegistryStoreContract, AKeyIsDeletedOnlyWhenItHoldsNothing) {
  const std::string made = std::string(kScratch) + "\\Made";
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made)) << "a missing key is nothing to do";
  WriteNumber(kHKCU, made + "\\Child", "MTU", 1500);
  WriteNumber(kHKCU, made, "MTU", 1500);
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made + "\\Child")) << "not empty: left alone";
  EXPECT_TRUE(KeyExists(kHKCU, made + "\\Child"));
  ASSERT_TRUE(DeleteRegValue(kHKCU, made + "\\Child", "MTU"));
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made + "\\Child"));
  EXPECT_FALSE(KeyExists(kHKCU, made + "\\Child"));
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made));
  EXPECT_TRUE(KeyExists(kHKCU, made)) << "it still holds a value";
  ASSERT_TRUE(DeleteRegValue(kHKCU, made, "MTU"));
  EXPECT_TRUE(DeleteRegKeyIfEmpty(kHKCU, made));
  EXPECT_FALSE(KeyExists(kHKCU, made));
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
  EXPECT_EQ(ListRegSubKeys(kHKCU, std::string(kContract) + "\\Order"),
            (std::vector<std::string>{"0001", "Alpha", "beta", "gamma", "Zeta", "{4D36E972-E325}"}));
  EXPECT_EQ(ListRegSubKeys(kHKCU, std::string(kContract) + "\\Empty"), std::vector<std::string>{})
      << "a key without subkeys gives an empty list";
  EXPECT_EQ(ListRegSubKeys(kHKCU, std::string(kContract) + "\\Nowhere"), std::nullopt) << "a missing key gives no list";
  EXPECT_FALSE(KeyExists(kHKCU, std::string(kContract) + "\\Nowhere"));
}

TEST_F(RegistryStoreContract, ReadsNeverCreateKeys) {
  const std::string missing = std::string(kScratch) + "\\NotThere";
  ReadRegInteger(kHKCU, missing, "X");
  ReadRegString(kHKCU, missing, "X");
  RegValueStatus(kHKCU, missing, "X");
  ListRegSubKeys(kHKCU, missing);
  EXPECT_FALSE(KeyExists(kHKCU, missing));
}

}  // namespace
}  // namespace velomar
