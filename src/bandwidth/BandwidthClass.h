#pragma once
// The eleven bandwidth classes, by track-bar position 0 to 10, and the TCP
// window computed from a class figure and an MTU.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velomar {

struct BandwidthClass {
  int position;
  const char* tickLabel;    // printed under the track bar
  const char* autoLabel;    // speed group box suffix, automatic window
  const char* customLabel;  // speed group box suffix, custom window
  const char* shortName;    // automatic window's status line
  std::int32_t bandwidthKbps;
  std::int32_t windowBaseKbps;  // the figure ComputeTcpWindow turns into bits
  int segmentAdjust;            // added to ComputeTcpWindow's segment count
};

inline constexpr int kBandwidthClassCount = 11;
const std::array<BandwidthClass, kBandwidthClassCount>& BandwidthClasses();
// Null for a position outside 0 to 10.
const BandwidthClass* BandwidthClassAt(int position);
// A position "0" to "10" or a tick label ("56K", "512k", ..., "1G"; letter
// case ignored).
std::optional<int> ParseBandwidthClass(std::string_view text);

inline constexpr std::int32_t kRoundTripMs = 500;

// The figure ComputeTcpWindow turns into bits per second: 56 is taken as
// 256 and 6144 as 4096; every other figure as it is.
std::int32_t WindowBaseKbpsFor(std::int32_t bandwidthKbps);
// +1 segment up to 512 Kbps, -1 at 10240 Kbps, otherwise 0.
int SegmentAdjustFor(std::int32_t bandwidthKbps);

// The TCP receive window in bytes: the bandwidth-delay product for a 500 ms
// round trip, as whole segments of MTU - 40 bytes, adjusted by the class.
// Nothing when the MTU is 40 or less (no segment fits) or the window would
// not fit 32 bits.
std::optional<std::int32_t> ComputeTcpWindow(std::int32_t bandwidthKbps, std::int32_t mtu);

// "DefaultReceiveWindow": below 112 Kbps 65392, up to 2048 Kbps 256960,
// above that 513920.
std::int32_t ReceiveBufferFigure(std::int32_t bandwidthKbps);

}  // namespace velomar
