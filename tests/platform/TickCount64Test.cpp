// The 64-bit tick count the program provides for Windows XP.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/Win32TickCount64.h"

namespace velomar::platform {
namespace {

TEST(TickCount64, WideningCarriesTheWrapsOfTheThirtyTwoBitCount) {
  EXPECT_EQ(WidenTickCount(0, 5), 5u);
  EXPECT_EQ(WidenTickCount(1000, 1000), 1000u) << "the same tick twice";
  EXPECT_EQ(WidenTickCount(0xFFFFFF00u, 0x10), 0x100000010ull) << "the count wrapped";
  EXPECT_EQ(WidenTickCount(0x100000010ull, 0x20), 0x100000020ull) << "after a wrap";
  EXPECT_EQ(WidenTickCount(0x2FFFFFFFFull, 0), 0x300000000ull) << "the third wrap";
}

TEST(TickCount64, FollowsTheSystemCount) {
  const std::uint64_t first = TickCount64();
  // Wine updates the system count from a thread of its own, which falls
  // behind on a busy machine: wait for the system count itself to move on
  // rather than for a time on another clock.
  for (int naps = 0; naps < 500 && GetTickCount() - static_cast<std::uint32_t>(first) < 20; ++naps) Sleep(10);
  const std::uint64_t second = TickCount64();
  EXPECT_GE(second, first + 10);
  const auto low = static_cast<std::uint32_t>(TickCount64());
  EXPECT_LE(GetTickCount() - low, 100u) << "the low half is the 32-bit count";
}

}  // namespace
}  // namespace velomar::platform
