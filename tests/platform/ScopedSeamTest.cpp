// The stand-ins of the process-wide seams: the innermost living one
// serves, the one before it comes back when it goes, and the system's
// serves (asked for only then) when there is none.
#include <gtest/gtest.h>

#include "platform/ScopedSeam.h"
#include "platform/System.h"

namespace velomar::platform {
namespace {

struct Seam {
  int id = 0;
};

int g_systemAsked = 0;
Seam& SystemSeam() {
  static Seam system{0};
  ++g_systemAsked;
  return system;
}

TEST(ScopedSeam, StandInsNestAndTheSystemsServesOnlyWithoutOne) {
  g_systemAsked = 0;
  EXPECT_EQ(Scoped<Seam>::StandIn(), nullptr);
  EXPECT_EQ(Scoped<Seam>::ActiveOr(SystemSeam).id, 0);
  Seam outer{1}, inner{2};
  {
    Scoped<Seam> first(outer);
    EXPECT_EQ(Scoped<Seam>::ActiveOr(SystemSeam).id, 1);
    {
      Scoped<Seam> second(inner);
      EXPECT_EQ(Scoped<Seam>::ActiveOr(SystemSeam).id, 2);
    }
    EXPECT_EQ(Scoped<Seam>::StandIn(), &outer);
  }
  EXPECT_EQ(Scoped<Seam>::StandIn(), nullptr);
  EXPECT_EQ(Scoped<Seam>::ActiveOr(SystemSeam).id, 0);
  EXPECT_EQ(g_systemAsked, 2) << "not while a stand-in served";
}

TEST(ScopedSeam, ThePhysicalMemoryAnswerIsTheStandInsForItsLifetime) {
  const PhysicalMemory system = TotalPhysicalMemory();
  {
    ScopedPhysicalMemory failed({std::nullopt, 8});
    EXPECT_FALSE(TotalPhysicalMemory().totalBytes);
    EXPECT_EQ(TotalPhysicalMemory().errorCode, 8u);
  }
  EXPECT_EQ(TotalPhysicalMemory().totalBytes, system.totalBytes);
}

}  // namespace
}  // namespace velomar::platform
