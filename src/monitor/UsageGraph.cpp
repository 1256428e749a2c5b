#include "monitor/UsageGraph.h"

#include <algorithm>
#include <string>

namespace velomar {

namespace {

constexpr int kW = kUsageGraphWidth;
constexpr int kH = kUsageGraphHeight;
constexpr int kAxisX = 39;
constexpr int kPlotLeft = 40;
constexpr int kSampleStep = 3;  // pixels between samples, and the grid's step per second
constexpr int kHorizontalLines = 7;
constexpr int kFirstFrameSpacing = 17;
constexpr int kScrollingSpacing = 18;
constexpr int kPhases = kScrollingSpacing / kSampleStep;
constexpr int kRateLabelY = kH - 15;

// A lone zero reading repeats the sample before it; this many zeros in a
// row are stored as they are.
constexpr int kZeroReadingsStored = 2;

struct ScaleStep {
  std::int32_t bound;  // the largest sample this step shows
  const char* label;
};

// clang-format off
constexpr ScaleStep kScaleSteps[] = {
    {10 * 1024,        " 10Kps"},
    {50 * 1024,        " 50Kps"},
    {250 * 1024,       "250Kps"},
    {500 * 1024,       "500Kps"},
    {1 * 1048576,      "   1Mps"},
    {2 * 1048576,      "  2Mps"},
    {5 * 1048576,      "  5Mps"},
    {10 * 1048576,     " 10Mps"},
    {100 * 1048576,    "100Mps"},
    {1000 * 1048576,   "1000Mps"},
};
// clang-format on

// The first step whose bound the largest sample does not exceed; the last
// takes everything above the one before it.
const ScaleStep& ScaleFor(std::int64_t largest) {
  for (const auto& step : kScaleSteps)
    if (largest <= step.bound) return step;
  return kScaleSteps[std::size(kScaleSteps) - 1];
}

std::string RateLabel(std::int64_t octets) {
  if (octets < 1024) return "  0Kps";
  const bool mega = octets >= 1048576;
  std::string label = " ";
  label += std::to_string(mega ? octets / 1024 / 1024 : octets / 1024);
  label += mega ? "Mps" : "Kps";
  return label;
}

// The row of a sample: 0 on the bottom row, the scale one row above the
// top. Samples are at most 2^32 - 1, so the product needs 64 bits.
int RowOf(std::int64_t sample, std::int32_t scale) { return kH - 1 - static_cast<int>(sample * kH / scale); }

void AddLine(Drawing& d, int x1, int y1, int x2, int y2, Color color) {
  d.operations.push_back(Drawing::Line{x1, y1, x2, y2, color});
}

// Background, axis, the horizontal grid lines, and vertical ones `spacing`
// apart moved `shift` pixels left. Lines that fall wholly outside the
// image (y = -14, x = 397) are kept; the renderer clips them.
Drawing Grid(int spacing, int shift) {
  Drawing d{kW, kH, {}};
  d.operations.push_back(Drawing::Fill{kGraphBackground});
  AddLine(d, kAxisX, 0, kAxisX, kH, kGraphAxisAndText);
  for (int i = 0; i < kHorizontalLines; ++i) {
    const int y = kH - i * (kH / 5);
    AddLine(d, kPlotLeft, y, kW, y, kGraphGrid);
  }
  const int count = (kW - kPlotLeft) / spacing + 1;
  for (int j = 1; j <= count; ++j) {
    const int x = kPlotLeft + spacing * j - shift;
    AddLine(d, x, 0, x, kH, kGraphGrid);
  }
  return d;
}

void AddText(Drawing& d, int x, int y, std::string text) {
  d.operations.push_back(Drawing::Text{x, y, std::move(text), kGraphAxisAndText, kGraphBackground});
}

}  // namespace

Drawing UsageGraph::FirstFrame() {
  *this = UsageGraph{};
  return Grid(kFirstFrameSpacing, 0);
}

Drawing UsageGraph::Tick(std::uint32_t reading) {
  phase_ = phase_ == kPhases - 1 ? 0 : phase_ + 1;
  Drawing d = Grid(kScrollingSpacing, kSampleStep * phase_);

  std::shift_left(samples_.begin(), samples_.end(), 1);
  samples_.back() = NextSample(reading);

  const ScaleStep& step = ScaleFor(*std::max_element(samples_.begin(), samples_.end()));
  scale_ = step.bound;
  AddText(d, 0, 0, step.label);
  // The rate is that of the sample before the newest: its line reaches the
  // right edge, while the newest sample lies wholly beyond it.
  AddText(d, 0, kRateLabelY, RateLabel(samples_[kUsageGraphSamples - 2]));

  for (std::size_t i = 0; i + 1 < kUsageGraphSamples; ++i) {
    const int x = kPlotLeft + kSampleStep * static_cast<int>(i);
    AddLine(d, x, RowOf(samples_[i], scale_), x + kSampleStep, RowOf(samples_[i + 1], scale_), kGraphLine);
  }
  return d;
}

std::int64_t UsageGraph::NextSample(std::uint32_t reading) {
  if (reading != 0) {
    zeroReadings_ = 0;
    return reading;
  }
  // Interface counters are not always refreshed every second, so a lone
  // zero amid traffic is a reading taken too early rather than an idle
  // second: the sample before it stands in. A second zero in a row means
  // the line is idle, and from then on zeros are drawn as zeros; holding
  // them for good would show the last rate long after the traffic ended.
  if (zeroReadings_ < kZeroReadingsStored) ++zeroReadings_;
  return zeroReadings_ < kZeroReadingsStored ? samples_[kUsageGraphSamples - 2] : 0;
}

}  // namespace velomar
