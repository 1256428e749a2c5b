// The traffic graph's frames: grid and scrolling, scale and rate labels,
// the line's coordinates, zero readings.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "monitor/UsageGraph.h"

namespace velomar {
namespace {

using Line = Drawing::Line;
using Text = Drawing::Text;

std::vector<Line> LinesIn(const Drawing& d, Color color) {
  std::vector<Line> lines;
  for (const auto& op : d.operations)
    if (const auto* line = std::get_if<Line>(&op); line && line->color == color) lines.push_back(*line);
  return lines;
}

std::vector<Text> TextsIn(const Drawing& d) {
  std::vector<Text> texts;
  for (const auto& op : d.operations)
    if (const auto* text = std::get_if<Text>(&op)) texts.push_back(*text);
  return texts;
}

// Checks what every frame has (black background first, the axis, the
// seven horizontal lines 17 pixels apart from the bottom edge up) and
// answers the x of each vertical grid line.
std::vector<int> GridColumns(const Drawing& d) {
  EXPECT_EQ(d.width, 382);
  EXPECT_EQ(d.height, 88);
  EXPECT_EQ(d.operations.front(), Drawing::Operation(Drawing::Fill{0x000000}));
  EXPECT_EQ(LinesIn(d, kGraphAxisAndText), (std::vector<Line>{{39, 0, 39, 88, 0x00FFFF}}));
  std::vector<int> rows, columns;
  for (const auto& line : LinesIn(d, kGraphGrid)) {
    if (line.y1 == line.y2) {
      EXPECT_EQ(std::pair(line.x1, line.x2), std::pair(40, 382));
      rows.push_back(line.y1);
    } else {
      EXPECT_EQ(std::pair(line.y1, line.y2), std::pair(0, 88));
      columns.push_back(line.x1);
    }
  }
  EXPECT_EQ(rows, (std::vector<int>{88, 71, 54, 37, 20, 3, -14}));
  return columns;
}

std::vector<int> Spaced(int first, int spacing, int count) {
  std::vector<int> xs;
  for (int i = 0; i < count; ++i) xs.push_back(first + i * spacing);
  return xs;
}

TEST(UsageGraph, FirstFrameIsTheBareGridThenTicksScrollAnEighteenPixelGrid) {
  UsageGraph graph;
  graph.Tick(5000);
  const Drawing first = graph.FirstFrame();
  EXPECT_EQ(GridColumns(first), Spaced(57, 17, 21));
  EXPECT_EQ(first.operations.size(), 30u) << "no labels and no line";
  EXPECT_EQ(graph.Samples(), (std::array<std::int64_t, kUsageGraphSamples>{}));
  for (int tick = 1; tick <= 7; ++tick) {
    EXPECT_EQ(GridColumns(graph.Tick(1)), Spaced(58 - 3 * (tick % 6), 18, 20)) << "tick " << tick;
    EXPECT_EQ(graph.ScrollPhase(), tick % 6);
  }
}

TEST(UsageGraph, LargestSampleSelectsTheFirstScaleItDoesNotExceed) {
  // clang-format off
  const std::vector<std::pair<std::int32_t, std::string>> scales = {
      {10240, " 10Kps"},      {51200, " 50Kps"},     {256000, "250Kps"},     {512000, "500Kps"},
      {1048576, "   1Mps"},   {2097152, "  2Mps"},   {5242880, "  5Mps"},    {10485760, " 10Mps"},
      {104857600, "100Mps"},  {1048576000, "1000Mps"}};
  // clang-format on
  auto labelFor = [](std::uint32_t largest, std::int32_t& scale) {
    UsageGraph graph;
    graph.FirstFrame();
    const auto texts = TextsIn(graph.Tick(largest));
    scale = graph.Scale();
    return texts.at(0).text;
  };
  std::int32_t scale = 0;
  EXPECT_EQ(labelFor(0, scale), " 10Kps") << "an all-zero history";
  for (std::size_t i = 0; i < scales.size(); ++i) {
    const auto& [bound, label] = scales[i];
    EXPECT_EQ(labelFor(bound, scale), label);
    EXPECT_EQ(scale, bound);
    const auto& next = scales[std::min(i + 1, scales.size() - 1)];
    EXPECT_EQ(labelFor(bound + 1, scale), next.second) << bound + 1;
    EXPECT_EQ(scale, next.first);
  }
  EXPECT_EQ(labelFor(4294967295u, scale), "1000Mps");
}

TEST(UsageGraph, RateLabelShowsTheSampleBeforeTheNewest) {
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {
      {1023, "  0Kps"}, {1024, " 1Kps"}, {1048575, " 1023Kps"}, {1048576, " 1Mps"}, {5000000, " 4Mps"}};
  for (const auto& [sample, label] : cases) {
    UsageGraph graph;
    graph.FirstFrame();
    EXPECT_EQ(TextsIn(graph.Tick(sample)).at(1).text, "  0Kps") << "the newest sample is not shown yet";
    const auto texts = TextsIn(graph.Tick(1));
    ASSERT_EQ(texts.size(), 2u) << "one scale label and the rate";
    EXPECT_EQ(texts[0], (Text{0, 0, texts[0].text, 0x00FFFF, 0x000000}));
    EXPECT_EQ(texts[1], (Text{0, 73, label, 0x00FFFF, 0x000000})) << sample;
  }
}

TEST(UsageGraph, LineRunsThreePixelsASampleWithRowsFromSixtyFourBitProducts) {
  UsageGraph graph;
  graph.FirstFrame();
  graph.Tick(5120);
  const auto lines = LinesIn(graph.Tick(10240), kGraphLine);  // scale 10240
  ASSERT_EQ(lines.size(), 115u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].x1, 40 + 3 * static_cast<int>(i));
    EXPECT_EQ(lines[i].x2, lines[i].x1 + 3);
  }
  EXPECT_EQ(lines[0], (Line{40, 87, 43, 87, 0x00FF00})) << "a sample of 0 lies on the bottom row";
  EXPECT_EQ(lines[113], (Line{379, 87, 382, 43, 0x00FF00})) << "half the scale, half the height";
  EXPECT_EQ(lines[114], (Line{382, 43, 385, -1, 0x00FF00})) << "the scale lies one row above the top";

  auto newestRow = [](std::uint32_t sample) {
    UsageGraph g;
    g.FirstFrame();
    return LinesIn(g.Tick(sample), kGraphLine).back().y2;
  };
  EXPECT_EQ(newestRow(116), 87);  // 116 x 88 / 10240 = 0.997, truncated
  EXPECT_EQ(newestRow(117), 86);
  // Products past 2^31 and 2^32, which 32-bit arithmetic would wrap.
  EXPECT_EQ(newestRow(100000000), 87 - 83);     // 8800000000 / 104857600 = 83.9
  EXPECT_EQ(newestRow(2147483647), 87 - 180);   // 188978561936 / 1048576000 = 180.2
  EXPECT_EQ(newestRow(4294967295u), 87 - 360);  // 377957121960 / 1048576000 = 360.5
}

TEST(UsageGraph, LoneZeroReadingHoldsTheSampleBeforeItAndASecondOneIsDrawn) {
  UsageGraph graph;
  graph.FirstFrame();
  for (std::uint32_t reading : {5000u, 0u, 0u, 0u, 6000u, 0u, 7000u, 0u, 0u}) graph.Tick(reading);
  EXPECT_EQ(std::vector<std::int64_t>(graph.Samples().end() - 9, graph.Samples().end()),
            (std::vector<std::int64_t>{5000, 5000, 0, 0, 6000, 6000, 7000, 7000, 0}));
}

}  // namespace
}  // namespace velomar
