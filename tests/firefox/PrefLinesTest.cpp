#include <gtest/gtest.h>

#include "firefox/PrefLines.h"
#include "firefox/PrefsFile.h"
#include "platform/System.h"

namespace velomar {
namespace {

TEST(PrefLines, ValueKeepsTheBlankAfterTheComma) {
  EXPECT_EQ(PrefValueOf(", true);"), " true");
  EXPECT_EQ(PrefValueOf("user_pref(\"x\",true);"), "true");
  EXPECT_EQ(PrefValueOf("user_pref(\"x\", \"a,b\");"), " \"a,b\"");
  EXPECT_EQ(PrefNameOf("user_pref(\"ui.submenuDelay\""), "ui.submenuDelay");
}

TEST(PrefLines, MalformedLinesStayWithinTheLine) {
  EXPECT_EQ(PrefValueOf("user_pref(\"x\" 1);"), "");
  EXPECT_EQ(PrefValueOf("user_pref(\"x\", 1"), " 1");
  EXPECT_EQ(PrefValueOf(","), "");
  EXPECT_EQ(PrefNameOf("no quotes"), "");
  EXPECT_EQ(PrefNameOf("\"open"), "open");
}

TEST(PrefLines, AStatementIsTheWholeNameAndWhatFirefoxReads) {
  EXPECT_EQ(MakePrefEntry("network.http.max-connections", "32").Line(),
            "user_pref(\"network.http.max-connections\", 32);");
  const PrefsFile file = PrefsFile::Parse(
      "user_pref(\"network.http.pipelining.maxrequests\", 8);\n// user_pref(\"network.http.pipelining\", 1);\n"
      "user_pref('a\\x41\\u00e9', \"a)b,c\");\n");
  EXPECT_EQ(file.Applied("network.http.pipelining"), nullptr) << "the head's closing quote; a comment";
  ASSERT_NE(file.Applied("network.http.pipelining.maxrequests"), nullptr);
  ASSERT_NE(file.Applied("aA\xc3\xa9"), nullptr) << "single quotes and escapes";
  EXPECT_EQ(file.Applied("aA\xc3\xa9")->value, " \"a)b,c\"");
}

// What Firefox's parser takes, and which lines hold one statement alone.
TEST(PrefLines, TheFileIsReadAsFirefoxReadsIt) {
  const PrefsFile file = PrefsFile::Parse(
      "user_pref(\"a\", 1); user_pref(\"b\", 2);\r\n"   // 0: two on a line
      "/* user_pref(\"c\", 3);\n"                       // 1-2: a comment over two lines
      "*/ user_pref(\"d\", -4);\n"                      // 2: after a comment's end
      "  user_pref(\"e\", true); # note\n"              // 3: alone, with a comment
      "bad user_pref(\"f\", 6); user_pref(\"g\", 'x\n"  // 4-5: an error skips to the next ";"
      "y'); user_pref(\"h\", 2147483648);\n"            // 5: a string over two lines; too large
      "user_pref(\"i\",\n false);\n");                  // 6-7: a statement over two lines
  std::vector<std::string> names;
  for (const auto& statement : file.Statements()) names.push_back(statement.name);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "d", "e", "g", "i"}));
  for (const auto& statement : file.Statements())
    EXPECT_EQ(statement.ownsLine, statement.name == "e") << statement.name;
  const PrefStatement& e = *file.Applied("e");
  EXPECT_EQ(file.Lines()[e.line].text.substr(e.begin, e.end - e.begin), "user_pref(\"e\", true);");
  EXPECT_EQ(file.Applied("d")->value, " -4");
  EXPECT_TRUE(file.ReadsAppendedLines());
  EXPECT_EQ(file.Bytes(), PrefsFile::Parse(file.Bytes()).Bytes());
  EXPECT_EQ(file.LineEnd(), "\r\n");
}

TEST(PrefLines, MachineClassBoundaries) {
  EXPECT_EQ(MachineClassOf(false, 512), 0);
  EXPECT_EQ(MachineClassOf(false, 1024), 1);  // exactly 1024 Kbps is 1 Mbps
  EXPECT_TRUE(IsMemoryBig(1073741824ull));    // exactly 1 GiB counts as 1 GiB
  EXPECT_FALSE(IsMemoryBig(1073741823ull));
  EXPECT_EQ(MachineClassOf(true, 1023), 2);
  EXPECT_EQ(MachineClassOf(true, 1048576), 3);
}

TEST(PrefLines, AFailedMemoryQueryCountsAsLessUnlessItGaveNoReason) {
  {
    platform::ScopedPhysicalMemory exactlyOneGiB({kOneGiB, 0});
    EXPECT_EQ(QueryMemoryBig(), true);
  }
  {
    platform::ScopedPhysicalMemory failedWithCode({std::nullopt, 8});
    EXPECT_EQ(QueryMemoryBig(), false);
  }
  platform::ScopedPhysicalMemory failedWithoutCode({std::nullopt, 0});
  EXPECT_EQ(QueryMemoryBig(), std::nullopt) << "the caller ends there";
}

TEST(PrefLines, CustomSetHasEmptyEntriesWhereTheAutomaticOneDeletes) {
  EXPECT_EQ(CommonPrefs().size(), 13u);
  for (int machineClass = 0; machineClass < 4; ++machineClass) {
    const auto& automatic = MachineClassPrefs(machineClass);
    const auto& custom = CustomMachineClassPrefs(machineClass);
    ASSERT_EQ(automatic.size(), 14u);
    ASSERT_EQ(custom.size(), 14u);
    int deletions = 0;
    for (std::size_t i = 0; i < automatic.size(); ++i) {
      if (automatic[i].IsDeletion()) {
        ++deletions;
        EXPECT_TRUE(custom[i].IsEmpty());
      } else {
        EXPECT_EQ(custom[i].Line(), automatic[i].Line());
      }
    }
    constexpr int kDeletions[] = {3, 2, 1, 3};
    EXPECT_EQ(deletions, kDeletions[machineClass]) << machineClass;
  }
  EXPECT_EQ(MachineClassPrefs(1)[0].Line(), "user_pref(\"content.maxtextrun\", 4095);");
}

}  // namespace
}  // namespace velomar
