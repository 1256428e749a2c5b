// TrafficSampler over a scripted interface table, and its readings through the
// graph; over the system's table, that a reading allocates nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "monitor/TrafficSampler.h"
#include "monitor/UsageGraph.h"
#include "support/AllocationCounter.h"

namespace velomar {
namespace {

class ScriptedTable : public platform::InterfaceTable {
 public:
  std::vector<std::uint32_t> counters;
  std::optional<std::size_t> reported;  // a row count other than the rows written

  std::size_t ReadReceivedOctets(std::span<std::uint32_t> rows) override {
    std::copy_n(counters.begin(), std::min(counters.size(), rows.size()), rows.begin());
    return reported.value_or(counters.size());
  }
};

class SamplerTest : public ::testing::Test {
 protected:
  ScriptedTable table;
  ScopedInterfaceTable scoped{table};
};

TEST_F(SamplerTest, TotalSumsOnlyTheRowsTheTableWroteModulo2To32) {
  table.counters = {0xFFFFFFF0u, 0x20, 5};
  TrafficSampler sampler;  // reads once on construction
  EXPECT_EQ(sampler.Total(), 0x15u);
  table.reported = 2;
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0x10u);
  table.reported = 0;  // a table that could not be read
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0u);
  table.reported = platform::kMaxInterfaceRows + 1;  // beyond the buffer: not believed
  sampler.UpdateTotal();
  EXPECT_EQ(sampler.Total(), 0u);
}

TEST_F(SamplerTest, ReadingIsTheWrappedDifferenceSinceThePreviousOneHalved) {
  table.counters = {1000, 50};
  TrafficSampler sampler;
  table.counters = {2001, 50};
  EXPECT_EQ(sampler.GetNetSpeed(), 500u) << "the shift drops the odd octet";
  EXPECT_EQ(sampler.GetNetSpeed(), 0u);
  table.counters = {0xFFFFFF00u, 50};
  sampler.UpdateTotal();
  table.counters = {0x100, 50};
  EXPECT_EQ(sampler.GetNetSpeed(), 0x100u) << "wrapped past 2^32";
  // A total that falls counts as wrapped; the shift is logical, so the
  // largest reading is 2^31 - 1.
  table.counters = {0x100, 49};
  EXPECT_EQ(sampler.GetNetSpeed(), 0x7FFFFFFFu);
}

TEST_F(SamplerTest, FallingTotalHoldsTheLargestScaleUntilItLeavesTheHistory) {
  std::uint32_t counter = 100000;
  table.counters = {counter};
  TrafficSampler sampler;
  UsageGraph graph;
  graph.FirstFrame();
  table.counters = {counter = 50000};  // an interface went away
  auto scaleLabel = [&] {
    const Drawing d = graph.Tick(sampler.GetNetSpeed());
    table.counters = {counter += 2000};
    for (const auto& op : d.operations)
      if (const auto* text = std::get_if<Drawing::Text>(&op)) return text->text;
    return std::string();
  };
  for (int tick = 1; tick <= 116; ++tick) ASSERT_EQ(scaleLabel(), "1000Mps") << "tick " << tick;
  EXPECT_EQ(scaleLabel(), " 10Kps");
  EXPECT_EQ(graph.Samples().back(), 1000);
}

TEST(SystemSampler, ReadingAllocatesNothing) {
  TrafficSampler sampler;
  const long before = test::AllocationCount();
  for (int i = 0; i < 20; ++i) sampler.GetNetSpeed();
  EXPECT_EQ(test::AllocationCount() - before, 0);
}

}  // namespace
}  // namespace velomar
