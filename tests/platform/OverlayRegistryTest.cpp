// The overlay a dry run works on: it shows its own changes over the base,
// leaves the base as it was, and meets the refusals the base would give.
#include <gtest/gtest.h>

#include <functional>

#include "platform/MemoryRegistry.h"
#include "platform/OverlayRegistry.h"

namespace velomar::platform {
namespace {

constexpr RegRoot kLM = RegRoot::LocalMachine;

class Overlay : public ::testing::Test {
 protected:
  Overlay() {
    std::string error;
    EXPECT_TRUE(
        base.LoadRegText("REGEDIT4\n[HKLM\\S\\Tcpip]\n\"TTL\"=dword:00000080\n\"Text\"=\"x\"\n"
                         "[HKLM\\S\\Tcpip\\Adapters\\{A}]\n[HKLM\\S\\Locked]\n\"V\"=dword:00000001\n",
                         error))
        << error;
    EXPECT_TRUE(base.DenyFullAccess(kLM, "S\\Locked"));
    before = base.SaveRegText();
  }
  std::optional<std::uint32_t> Dword(const std::string& path, const std::string& name) {
    auto key = overlay.Open(kLM, path, false);
    if (!key) return std::nullopt;
    auto value = key->Query(name);
    return value ? value->AsDword() : std::nullopt;
  }
  MemoryRegistry base;
  OverlayRegistry overlay{base};
  std::string before;
};

TEST_F(Overlay, ShowsItsChangesAndLeavesTheBaseAsItWas) {
  auto key = overlay.Open(kLM, "\\S\\Tcpip", false);
  ASSERT_TRUE(key);
  EXPECT_TRUE(key->SetValue("ttl", RegValue::Dword(64)));
  EXPECT_TRUE(key->DeleteValue("Text"));
  EXPECT_EQ(key->DeleteValue("Text").code, kErrorFileNotFound) << "deleted already";
  EXPECT_EQ(Dword("S\\Tcpip", "TTL"), 64u);
  EXPECT_FALSE(overlay.Open(kLM, "S\\Tcpip", false)->Query("text"));

  // A key made here, with its parents, and listed under the key above it.
  ASSERT_TRUE(overlay.Open(kLM, "S\\Tcpip\\Interfaces\\{A}", true));
  overlay.Open(kLM, "S\\Tcpip\\Interfaces\\{A}", false)->SetValue("MTU", RegValue::Dword(1500));
  EXPECT_TRUE(overlay.KeyExists(kLM, "S\\Tcpip\\Interfaces"));
  EXPECT_EQ(overlay.Open(kLM, "S\\Tcpip", false)->SubKeys(), (std::vector<std::string>{"Adapters", "Interfaces"}));
  EXPECT_EQ(Dword("S\\Tcpip\\Interfaces\\{A}", "MTU"), 1500u);

  EXPECT_EQ(base.SaveRegText(), before);
}

TEST_F(Overlay, AKeyDeletedHereIsGoneWithItsSubkeysAndComesBackEmpty) {
  EXPECT_EQ(overlay.DeleteKey(kLM, "S\\Tcpip").code, kErrorAccessDenied) << "it has a subkey";
  ASSERT_TRUE(overlay.DeleteKey(kLM, "S\\Tcpip\\Adapters\\{A}"));
  EXPECT_FALSE(overlay.KeyExists(kLM, "S\\Tcpip\\Adapters\\{A}"));
  EXPECT_EQ(overlay.Open(kLM, "S\\Tcpip\\Adapters", false)->SubKeys(), std::vector<std::string>{});
  EXPECT_TRUE(overlay.Open(kLM, "S\\Tcpip\\Adapters", false)->IsEmpty());

  ASSERT_TRUE(overlay.DeleteKeyTree(kLM, "S\\Tcpip"));
  EXPECT_FALSE(overlay.KeyExists(kLM, "S\\Tcpip\\Adapters"));
  ASSERT_TRUE(overlay.Open(kLM, "S\\Tcpip", true));
  EXPECT_FALSE(Dword("S\\Tcpip", "TTL")) << "made anew, nothing of the old key shows";
  EXPECT_EQ(base.SaveRegText(), before);
}

TEST_F(Overlay, MeetsTheRefusalsOfTheBase) {
  EXPECT_EQ(overlay.OpenKey(kLM, "S\\Locked", false).result.code, kErrorAccessDenied);
  EXPECT_EQ(overlay.OpenKey(kLM, "S\\Locked\\New", true).result.code, kErrorAccessDenied)
      << "no key below one the base refuses";
  EXPECT_FALSE(overlay.KeyExists(kLM, "S\\Locked\\New"));
  EXPECT_EQ(overlay.OpenKey(kLM, "S\\Nowhere", false).result.code, kErrorFileNotFound);
  EXPECT_EQ(overlay.DeleteKey(kLM, "S\\Locked").code, kErrorAccessDenied);
}

// What the system refuses, whatever the key holds: a dry run over the real
// registry must meet it as the real run does.
TEST_F(Overlay, RefusesWhatTheRegistryBelowRefuses) {
  MemoryRegistry real;
  std::string error;
  ASSERT_TRUE(real.LoadRegText(before, error)) << error;
  ASSERT_TRUE(real.DenyFullAccess(kLM, "S\\Locked"));
  std::string deep;
  for (std::size_t i = 0; i <= kMaxKeyDepth; ++i) deep += "\\k";
  const std::function<std::int32_t(Registry&)> operations[] = {
      [](Registry& r) { return r.DeleteKey(kLM, "\\").code; },
      [&](Registry& r) { return r.OpenKey(kLM, deep, true).result.code; },
      [&](Registry& r) { return r.OpenKey(kLM, deep, false).result.code; },
      [](Registry& r) { return r.OpenKey(kLM, "S\\" + std::string(kMaxKeyNameLength + 1, 'k'), true).result.code; },
      [](Registry& r) {
        return r.Open(kLM, "S\\Tcpip", false)->SetValue(std::string(kMaxValueNameLength + 1, 'v'), {}).code;
      },
  };
  for (const auto& operation : operations) EXPECT_EQ(operation(overlay), operation(real));
  EXPECT_NE(operations[0](overlay), 0) << "a root key stays";

  // Both read a name up to a NUL, as the system does.
  for (Registry* registry : {static_cast<Registry*>(&overlay), static_cast<Registry*>(&real)})
    registry->Open(kLM, "S\\Tcpip", false)->SetValue(std::string("TTL\0x", 5), RegValue::Dword(7));
  EXPECT_EQ(Dword("S\\Tcpip", "TTL"), 7u);
  EXPECT_EQ(base.SaveRegText(), before);
}

}  // namespace
}  // namespace velomar::platform
