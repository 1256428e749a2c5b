// The traffic graph's frames: grid, scrolling, scale and rate labels and
// the line's coordinates.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
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

// The grid's vertical lines by x; each must span the whole height.
std::vector<int> VerticalGrid(const Drawing& d) {
  std::vector<int> xs;
  for (const auto& line : LinesIn(d, kGraphGrid)) {
    if (line.x1 != line.x2) continue;
    EXPECT_EQ(line.y1, 0);
    EXPECT_EQ(line.y2, 88);
    xs.push_back(line.x1);
  }
  return xs;
}

std::vector<int> Spaced(int first, int spacing, int count) {
  std::vector<int> xs;
  for (int i = 0; i < count; ++i) xs.push_back(first + i * spacing);
  return xs;
}

// What every frame has: black background first, the axis, and the seven
// horizontal grid lines 17 pixels apart from the bottom edge up.
void ExpectFrameBase(const Drawing& d) {
  EXPECT_EQ(d.width, 382);
  EXPECT_EQ(d.height, 88);
  ASSERT_FALSE(d.operations.empty());
  EXPECT_EQ(d.operations.front(), Drawing::Operation(Drawing::Fill{0x000000}));
  EXPECT_EQ(LinesIn(d, kGraphAxisAndText), (std::vector<Line>{{39, 0, 39, 88, 0x00FFFF}}));
  std::vector<Line> horizontal;
  for (const auto& line : LinesIn(d, kGraphGrid))
    if (line.y1 == line.y2) horizontal.push_back(line);
  std::vector<Line> expected;
  for (int y : {88, 71, 54, 37, 20, 3, -14}) expected.push_back({40, y, 382, y, 0x008000});
  EXPECT_EQ(horizontal, expected);
}

std::string ScaleLabel(const Drawing& d) {
  const auto texts = TextsIn(d);
  return texts.empty() ? "" : texts.front().text;
}

std::string RateLabel(const Drawing& d) {
  const auto texts = TextsIn(d);
  return texts.size() < 2 ? "" : texts[1].text;
}

TEST(UsageGraph, FirstFrameIsTheBareGridWithSeventeenPixelSpacing) {
  UsageGraph graph;
  const Drawing d = graph.FirstFrame();
  ExpectFrameBase(d);
  EXPECT_EQ(VerticalGrid(d), Spaced(57, 17, 21));
  EXPECT_TRUE(TextsIn(d).empty());
  EXPECT_TRUE(LinesIn(d, kGraphLine).empty());
  EXPECT_EQ(d.operations.size(), 1u + 1 + 7 + 21);
}

TEST(UsageGraph, FirstFrameClearsTheHistoryAndThePhase) {
  UsageGraph graph;
  graph.Tick(5000);
  graph.Tick(0);
  graph.Tick(7000);
  graph.FirstFrame();
  EXPECT_EQ(graph.ScrollPhase(), 0);
  for (auto sample : graph.Samples()) EXPECT_EQ(sample, 0);
  // The zero count went with the rest: a lone zero holds the sample before.
  graph.Tick(3000);
  graph.Tick(0);
  EXPECT_EQ(graph.Samples().back(), 3000);
}

TEST(UsageGraph, TicksDrawEighteenPixelGridScrollingThreePixelsAPhase) {
  UsageGraph graph;
  graph.FirstFrame();
  for (int tick = 1; tick <= 13; ++tick) {
    SCOPED_TRACE(tick);
    const Drawing d = graph.Tick(1);
    const int phase = tick % 6;
    EXPECT_EQ(graph.ScrollPhase(), phase);
    ExpectFrameBase(d);
    EXPECT_EQ(VerticalGrid(d), Spaced(58 - 3 * phase, 18, 20));
    // Labels yellow on opaque black, scale at the top, rate at the bottom.
    const auto texts = TextsIn(d);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], (Text{0, 0, " 10Kps", 0x00FFFF, 0x000000}));
    EXPECT_EQ(texts[1], (Text{0, 73, "  0Kps", 0x00FFFF, 0x000000}));
  }
}

struct ScaleCase {
  std::uint32_t largest;
  std::int32_t scale;
  const char* label;
};

class UsageGraphScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(UsageGraphScale, LargestSampleSelectsTheFirstBoundItDoesNotExceed) {
  UsageGraph graph;
  graph.FirstFrame();
  const Drawing d = graph.Tick(GetParam().largest);
  EXPECT_EQ(ScaleLabel(d), GetParam().label);
  EXPECT_EQ(graph.Scale(), GetParam().scale);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryBoundary, UsageGraphScale, ::testing::Values(
    ScaleCase{1,          10240,      " 10Kps"},
    ScaleCase{10240,      10240,      " 10Kps"},
    ScaleCase{10241,      51200,      " 50Kps"},
    ScaleCase{51200,      51200,      " 50Kps"},
    ScaleCase{51201,      256000,     "250Kps"},
    ScaleCase{256000,     256000,     "250Kps"},
    ScaleCase{256001,     512000,     "500Kps"},
    ScaleCase{512000,     512000,     "500Kps"},
    ScaleCase{512001,     1048576,    "   1Mps"},
    ScaleCase{1048576,    1048576,    "   1Mps"},
    ScaleCase{1048577,    2097152,    "  2Mps"},
    ScaleCase{2097152,    2097152,    "  2Mps"},
    ScaleCase{2097153,    5242880,    "  5Mps"},
    ScaleCase{5242880,    5242880,    "  5Mps"},
    ScaleCase{5242881,    10485760,   " 10Mps"},
    ScaleCase{10485760,   10485760,   " 10Mps"},
    ScaleCase{10485761,   104857600,  "100Mps"},
    ScaleCase{104857600,  104857600,  "100Mps"},
    ScaleCase{104857601,  1048576000, "1000Mps"},
    ScaleCase{2147483647, 1048576000, "1000Mps"},
    ScaleCase{4294967295, 1048576000, "1000Mps"}));
// clang-format on

TEST(UsageGraph, ScaleFollowsTheLargestSampleInTheHistoryNotTheNewest) {
  UsageGraph graph;
  graph.FirstFrame();
  graph.Tick(60000);
  EXPECT_EQ(ScaleLabel(graph.Tick(100)), "250Kps");
  for (int i = 0; i < 113; ++i) graph.Tick(100);
  EXPECT_EQ(ScaleLabel(graph.Tick(100)), "250Kps") << "the large sample is still the oldest";
  EXPECT_EQ(ScaleLabel(graph.Tick(100)), " 10Kps");
}

TEST(UsageGraph, RateLabelShowsTheSampleBeforeTheNewest) {
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {
      {1, "  0Kps"},      {1023, "  0Kps"},   {1024, " 1Kps"},          {1048575, " 1023Kps"},
      {1048576, " 1Mps"}, {5000000, " 4Mps"}, {2147483647, " 2047Mps"},
  };
  for (const auto& [sample, label] : cases) {
    UsageGraph graph;
    graph.FirstFrame();
    EXPECT_EQ(RateLabel(graph.Tick(sample)), "  0Kps") << "the newest sample " << sample << " is not shown yet";
    EXPECT_EQ(RateLabel(graph.Tick(1)), label) << sample;
  }
}

TEST(UsageGraph, LineRunsThreePixelsASampleFromTheAxisOldestFirst) {
  UsageGraph graph;
  graph.FirstFrame();
  graph.Tick(5120);
  const Drawing d = graph.Tick(10240);  // scale 10240
  const auto lines = LinesIn(d, kGraphLine);
  ASSERT_EQ(lines.size(), 115u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].x1, 40 + 3 * static_cast<int>(i));
    EXPECT_EQ(lines[i].x2, lines[i].x1 + 3);
    if (i > 0) {
      EXPECT_EQ(lines[i].y1, lines[i - 1].y2);
    }
  }
  EXPECT_EQ(lines.front(), (Line{40, 87, 43, 87, 0x00FF00})) << "a sample of 0 lies on the bottom row";
  EXPECT_EQ(lines[112], (Line{376, 87, 379, 87, 0x00FF00}));
  EXPECT_EQ(lines[113], (Line{379, 87, 382, 43, 0x00FF00})) << "half the scale, half the height";
  EXPECT_EQ(lines[114], (Line{382, 43, 385, -1, 0x00FF00})) << "the scale lies one row above the top";
  // The line comes last, over the grid and labels.
  EXPECT_EQ(std::get<Line>(d.operations.back()), lines.back());
}

TEST(UsageGraph, RowsComeFromSixtyFourBitProductsTruncatedTowardsZero) {
  auto newestRow = [](std::uint32_t sample) {
    UsageGraph graph;
    graph.FirstFrame();
    return LinesIn(graph.Tick(sample), kGraphLine).back().y2;
  };
  EXPECT_EQ(newestRow(116), 87);  // 116 x 88 / 10240 = 0.997
  EXPECT_EQ(newestRow(117), 86);  // 1.005
  // Products past 2^31 (and past 2^32), which 32-bit arithmetic would wrap.
  UsageGraph graph;
  graph.FirstFrame();
  graph.Tick(100000000);
  graph.Tick(30000000);
  const auto lines = LinesIn(graph.Tick(1), kGraphLine);  // scale 104857600
  EXPECT_EQ(lines[113].y1, 87 - 83);                      // 8800000000 / 104857600 = 83.9
  EXPECT_EQ(lines[113].y2, 87 - 25);                      // 2640000000 / 104857600 = 25.2
  EXPECT_EQ(newestRow(2147483647), 87 - 180);             // 188978561936 / 1048576000 = 180.2
  EXPECT_EQ(newestRow(4294967295u), 87 - 360);            // 377957121960 / 1048576000 = 360.5
}

TEST(UsageGraph, LoneZeroReadingHoldsTheSampleBeforeItAndASecondOneIsDrawn) {
  UsageGraph graph;
  graph.FirstFrame();
  graph.Tick(5000);
  graph.Tick(0);
  EXPECT_EQ(graph.Samples()[114], 5000);
  EXPECT_EQ(graph.Samples()[115], 5000) << "a lone zero repeats the sample before it";
  graph.Tick(0);
  EXPECT_EQ(graph.Samples()[115], 0) << "the second zero in a row is stored";
  graph.Tick(0);
  EXPECT_EQ(graph.Samples()[115], 0);
  // Any reading between zeros starts the count again.
  graph.Tick(6000);
  graph.Tick(0);
  EXPECT_EQ(graph.Samples()[115], 6000);
  graph.Tick(7000);
  graph.Tick(0);
  graph.Tick(0);
  EXPECT_EQ(std::vector<std::int64_t>(graph.Samples().end() - 6, graph.Samples().end()),
            (std::vector<std::int64_t>{0, 6000, 6000, 7000, 7000, 0}));
}

}  // namespace
}  // namespace velomar
