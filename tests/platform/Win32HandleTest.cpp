// The owner of kernel handles: closed when the owner goes, when it is
// reset, and exactly once when it is moved.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "platform/win32/Win32Handle.h"

namespace velomar::platform {
namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(UniqueHandle, ClosesItsHandleOnceWhereverItEndsUp) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(IsOpen(event));
  {
    UniqueHandle first(event);
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), event);
    UniqueHandle third;
    third = std::move(second);
    EXPECT_TRUE(IsOpen(event));
  }
  EXPECT_FALSE(IsOpen(event));

  HANDLE other = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  UniqueHandle owner(other);
  owner.Reset();
  EXPECT_FALSE(owner);
  EXPECT_FALSE(IsOpen(other));
}

TEST(UniqueHandle, TakesBothOfWindowsWaysOfSayingNoHandleAsNone) {
  EXPECT_FALSE(UniqueHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(UniqueHandle(nullptr));
  UniqueHandle missing(CreateFileA("Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);
}

}  // namespace
}  // namespace velomar::platform
