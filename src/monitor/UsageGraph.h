#pragma once
// The live traffic graph of the main window: a grid that scrolls one step
// a second, the last 116 readings as a line autoscaled to the largest of
// them, a scale label and the rate label. The main window holds one
// UsageGraph and shows each frame in its image.
#include <array>
#include <cstddef>
#include <cstdint>

#include "window/Drawing.h"

namespace velomar {

inline constexpr int kUsageGraphWidth = 382;
inline constexpr int kUsageGraphHeight = 88;
inline constexpr std::size_t kUsageGraphSamples = 116;

// The colours of the graph (0x00BBGGRR).
inline constexpr Color kGraphBackground = 0x000000;
inline constexpr Color kGraphAxisAndText = 0x00FFFF;  // yellow
inline constexpr Color kGraphGrid = 0x008000;         // green
inline constexpr Color kGraphLine = 0x00FF00;         // lime

class UsageGraph {
 public:
  // Clears the history and the grid's phase and draws the grid alone, with
  // the spacing of the frame before the first reading.
  Drawing FirstFrame();
  // One second: scrolls the grid, takes `reading` (a sampler's
  // GetNetSpeed) as the newest sample and draws the whole frame.
  Drawing Tick(std::uint32_t reading);

  // Oldest first.
  const std::array<std::int64_t, kUsageGraphSamples>& Samples() const { return samples_; }
  // The sample value drawn at the full height of the image.
  std::int32_t Scale() const { return scale_; }
  // 0 to 5: how many 3-pixel steps the grid has moved left.
  int ScrollPhase() const { return phase_; }

 private:
  std::int64_t NextSample(std::uint32_t reading);

  std::array<std::int64_t, kUsageGraphSamples> samples_{};
  std::int32_t scale_ = 10240;
  int phase_ = 0;
  int zeroReadings_ = 0;  // consecutive, up to the limit that stores them
};

}  // namespace velomar
