// Tiphlpapi over a scripted interface table, and its readings through the
// graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "monitor/UsageGraph.h"
#include "monitor/iphlpapi.h"

namespace velomar {
namespace {

class ScriptedTable : public platform::InterfaceTable {
 public:
  std::vector<std::uint32_t> counters;
  bool fails = false;
  // Rows reported as written, when the table misreports them.
  std::optional<std::size_t> reported;

  std::size_t ReadReceivedOctets(std::span<std::uint32_t> rows) override {
    if (fails) return 0;
    std::copy_n(counters.begin(), std::min(counters.size(), rows.size()), rows.begin());
    return reported.value_or(counters.size());
  }
};

class SamplerTest : public ::testing::Test {
 protected:
  ScriptedTable table;
  ScopedInterfaceTable scoped{table};
};

TEST_F(SamplerTest, TotalIsTheSumOfEveryRowModulo2To32) {
  table.counters = {0xFFFFFFF0u, 0x20, 5};
  Tiphlpapi sampler;  // reads once on construction
  EXPECT_EQ(sampler.Total(), 0x15u);
  table.counters.assign(256, 0x01000000u);
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0u) << "256 rows of 2^24 wrap to 0";
}

TEST_F(SamplerTest, ReadingIsTheDifferenceSinceThePreviousOneHalved) {
  table.counters = {1000, 50};
  Tiphlpapi sampler;
  table.counters = {2001, 50};
  EXPECT_EQ(sampler.GetNetSpeed(), 500u) << "the shift drops the odd octet";
  EXPECT_EQ(sampler.GetNetSpeed(), 0u);
  // Wrapping past 2^32 between two readings still gives the difference.
  table.counters = {0xFFFFFF00u, 50};
  sampler.UpdateTotal();
  table.counters = {0x100, 50};
  EXPECT_EQ(sampler.GetNetSpeed(), 0x100u);
  // A total that falls counts as wrapped; the shift is logical, so the
  // largest reading is 2^31 - 1.
  table.counters = {0x100, 49};
  EXPECT_EQ(sampler.GetNetSpeed(), 0x7FFFFFFFu);
}

TEST_F(SamplerTest, OnlyTheRowsTheTableWroteAreRead) {
  table.counters = {10, 20, 30};
  table.reported = 2;
  Tiphlpapi sampler;
  EXPECT_EQ(sampler.Total(), 30u);
  table.reported = 0;
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0u);
  // A count beyond the buffer is not believed.
  table.reported = platform::kMaxInterfaceRows + 1;
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0u);
  table.reported.reset();
  table.counters.assign(platform::kMaxInterfaceRows, 1);
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 256u);
}

TEST_F(SamplerTest, FailedReadGivesTheTotal0) {
  table.counters = {4000};
  Tiphlpapi sampler;
  table.fails = true;
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0u);
}

TEST_F(SamplerTest, CounterWrappingPast2To32IsGraphedAsItsDifference) {
  table.counters = {0xFFFFF000u};
  Tiphlpapi sampler;
  UsageGraph graph;
  graph.FirstFrame();
  table.counters = {0x1000};
  graph.Tick(sampler.GetNetSpeed());
  EXPECT_EQ(graph.Samples().back(), 0x1000);
  EXPECT_EQ(graph.Scale(), 10240);
}

TEST_F(SamplerTest, FallingTotalHoldsTheLargestScaleUntilItLeavesTheHistory) {
  std::uint32_t counter = 100000;
  table.counters = {counter};
  Tiphlpapi sampler;
  UsageGraph graph;
  graph.FirstFrame();
  table.counters = {counter = 50000};  // an interface went away
  auto tick = [&] {
    const Drawing d = graph.Tick(sampler.GetNetSpeed());
    table.counters = {counter += 2000};
    for (const auto& op : d.operations)
      if (const auto* text = std::get_if<Drawing::Text>(&op)) return text->text;
    return std::string();
  };
  for (int i = 1; i <= 116; ++i) ASSERT_EQ(tick(), "1000Mps") << "tick " << i;
  EXPECT_EQ(tick(), " 10Kps");
  EXPECT_EQ(graph.Samples().back(), 1000);
}

}  // namespace
}  // namespace velomar
