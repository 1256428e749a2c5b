// The help links open the user guide in the user's language where the
// program ships one.
#include <gtest/gtest.h>

#include "app/HelpPage.h"
#include "platform/Files.h"
#include "support/TestSupport.h"

namespace velomar {
namespace {

TEST(HelpPage, TheGuideOfTheLanguageWhereThereIsOneElseTheEnglishOne) {
  test::TempFolder program;
  const std::string help = program.File("help");
  ASSERT_TRUE(platform::CreateDirectoryTree(help));
  test::WriteFileText(platform::JoinPath(help, "index.html"), "English");
  test::WriteFileText(platform::JoinPath(help, "German.html"), "Deutsch");
  EXPECT_EQ(HelpPageFor(program.path(), "German"), platform::JoinPath(help, "German.html"));
  EXPECT_EQ(HelpPageFor(program.path(), "English"), platform::JoinPath(help, "index.html"));
  EXPECT_EQ(HelpPageFor(program.path(), "French"), platform::JoinPath(help, "index.html"));
  // The program ships both.
  for (const char* page : {"index.html", "German.html"})
    EXPECT_TRUE(platform::FileExists(test::DataFile(std::string("../../src/forms/res/help/") + page))) << page;
}

}  // namespace
}  // namespace velomar
