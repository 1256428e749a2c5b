#include <gtest/gtest.h>

#include "firefox/PrefLines.h"
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

TEST(PrefLines, HeadIncludesTheClosingQuote) {
  const Lines lines{"user_pref(\"network.http.pipelining.maxrequests\", 8);",
                    "// user_pref(\"network.http.pipelining\", 1);"};
  EXPECT_EQ(FindPrefLine(lines, MakePrefEntry("network.http.pipelining", "true").head), 1);
  EXPECT_EQ(FindPrefLine(lines, MakePrefEntry("network.http.pipelining.maxrequests", "8").head), 0);
  EXPECT_EQ(FindPrefLine(lines, ""), -1);
  EXPECT_EQ(FindPrefLine({""}, ""), -1);
  EXPECT_EQ(MakePrefEntry("network.http.max-connections", "32").Line(),
            "user_pref(\"network.http.max-connections\", 32);");
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
