// The registry store over the memory registry where only it can show the
// store's answer: keys that refuse full access, and paths and names that
// Windows refuses.
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"
#include "registry/RegistryStore.h"
#include "support/StoreHelpers.h"

namespace velomar {
namespace {

using platform::MemoryRegistry;
using platform::RegRoot;
using test::WriteNumber;

constexpr RegRoot kHKLM = RegRoot::LocalMachine;
constexpr const char* kTcp = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

MemoryRegistry& Loaded(MemoryRegistry& registry, const std::string& text) {
  std::string error;
  EXPECT_TRUE(registry.LoadRegText(text, error)) << error;
  return registry;
}

TEST(StoreOverMemoryRegistry, KeyWithoutFullAccessLooksEmptyToTheStore) {
  MemoryRegistry registry;
  Loaded(registry,
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n"
         "\"DefaultTTL\"=dword:00000080\n"
         "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{A}]\n");
  ASSERT_TRUE(registry.DenyFullAccess(RegRoot::LocalMachine, kTcp));
  ScopedRegistry scoped(registry);

  const RegValueSnapshot status = RegValueStatus(kHKLM, kTcp, "DefaultTTL");
  EXPECT_TRUE(status.keyExists) << "existence needs read rights only";
  EXPECT_FALSE(status.readable);
  EXPECT_EQ(ReadRegInteger(kHKLM, kTcp, "DefaultTTL"), std::nullopt);
  EXPECT_FALSE(status.Present());
  EXPECT_FALSE(DeleteRegValue(kHKLM, kTcp, "DefaultTTL"));
  EXPECT_EQ(ListRegSubKeys(kHKLM, kTcp), std::nullopt);
  EXPECT_FALSE(WriteNumber(kHKLM, kTcp, "DefaultTTL", 64));

  registry.Clear();
  Loaded(registry, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM]\n");
  EXPECT_EQ(ReadRegInteger(kHKLM, kTcp, "DefaultTTL"), std::nullopt);
}

TEST(StoreOverMemoryRegistry, DeniedKeyKeepsItsValue) {
  MemoryRegistry registry;
  Loaded(registry, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"V\"=dword:00000001\n");
  registry.DenyFullAccess(RegRoot::LocalMachine, "K");
  {
    ScopedRegistry scoped(registry);
    WriteNumber(kHKLM, "\\K", "V", 2);
  }
  EXPECT_NE(registry.SaveRegText().find("\"V\"=dword:00000001"), std::string::npos);
}

TEST(StoreOverMemoryRegistry, StoreCannotCreateWhatWindowsRefuses) {
  // A registry backup may name any path; the system refuses a deep one.
  MemoryRegistry registry;
  ScopedRegistry scoped(registry);
  std::string deep;
  for (int i = 0; i < 30000; ++i) deep += "\\k";
  WriteNumber(kHKLM, deep, "V", 1);
  WriteNumber(kHKLM, "\\" + std::string(platform::kMaxKeyNameLength + 1, 'k'), "V", 1);
  EXPECT_EQ(registry.SaveRegText(), "REGEDIT4\r\n") << "no key created";
  // The system reads names up to a NUL, and a .reg file cannot hold one.
  WriteNumber(kHKLM, std::string("\\A\0B", 4), std::string("V\0W", 3), 1);
  EXPECT_EQ(registry.SaveRegText(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"V\"=dword:00000001\r\n");
  registry.Clear();
  WriteNumber(kHKLM, "\\K", std::string(platform::kMaxValueNameLength + 1, 'v'), 1);
  EXPECT_EQ(registry.SaveRegText(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n")
      << "the key, as on Windows, no value";
}

}  // namespace
}  // namespace velomar
