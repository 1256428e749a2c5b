// The Windows major version as the program sees it, under a Wine prefix
// that reports the version this suite was built to expect (the suite's
// CMake fixture sets the prefix's version for this executable alone).
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/System.h"

namespace velomar {
namespace {

TEST(WindowsMajorVersion, IsTheOneThePrefixReports) {
  EXPECT_EQ(platform::WindowsMajorVersion(), VELOMAR_EXPECTED_MAJOR);
}

TEST(WindowsMajorVersion, ComesFromThePlainVersionRecord) {
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(platform::WindowsMajorVersion(), static_cast<int>(version.dwMajorVersion));
}

}  // namespace
}  // namespace velomar
