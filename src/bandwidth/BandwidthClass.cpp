#include "bandwidth/BandwidthClass.h"

#include <cctype>
#include <string>

#include "util/Numbers.h"

namespace velomar {

const std::array<BandwidthClass, kBandwidthClassCount>& BandwidthClasses() {
  static constexpr std::array<BandwidthClass, kBandwidthClassCount> kClasses = {{
      {0, "56K", " :    56 Kbps  ", " : 56 Kbps  ", "56kbps", 56, 256, +1},
      {1, "512k", " :  512 Kbps  ", " : 512 Kbps  ", "512kbps", 512, 512, +1},
      {2, "1M", " :     1 Mbps  ", " : 1 Mbps  ", "1Mbps", 1024, 1024, 0},
      {3, "2M", " :     2 Mbps  ", " : 2 Mbps  ", "2Mbps", 2048, 2048, 0},
      {4, "4M", " :     4 Mbps  ", " : 4 Mbps  ", "4Mbps", 4096, 4096, 0},
      {5, "6M", " :     6 Mbps  ", " : 6 Mbps  ", "6Mbps", 6144, 4096, 0},
      {6, "10M", " :   10 Mbps  ", " : 10 Mbps  ", "10Mbps", 10240, 10240, -1},
      {7, "50M", " :   50 Mbps  ", " : 50 Mbps  ", "50Mbps", 51200, 51200, 0},
      {8, "100M", " :  100 Mbps  ", " : 100 MKbps  ", "100Mbps", 102400, 102400, 0},
      {9, "500M", " :  500 Mbps  ", " : 500 Mbps  ", "500Mbps", 512000, 512000, 0},
      {10, "1G", " :   1 Gbps  ", " :   1 Gbps  ", "1Gbps", 1048576, 1048576, 0},
  }};
  return kClasses;
}

const BandwidthClass* BandwidthClassAt(int position) {
  if (position < 0 || position >= kBandwidthClassCount) return nullptr;
  return &BandwidthClasses()[static_cast<std::size_t>(position)];
}

std::optional<int> ParseBandwidthClass(std::string_view text) {
  if (const auto number = ParseInt32(text); number && text.find_first_not_of("0123456789") == std::string_view::npos)
    return BandwidthClassAt(*number) ? std::optional<int>(*number) : std::nullopt;
  for (const auto& c : BandwidthClasses()) {
    const std::string_view label = c.tickLabel;
    if (label.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < label.size() && same; ++i)
      same = std::toupper(static_cast<unsigned char>(label[i])) == std::toupper(static_cast<unsigned char>(text[i]));
    if (same) return c.position;
  }
  return std::nullopt;
}

std::int32_t WindowBaseKbpsFor(std::int32_t bandwidthKbps) {
  if (bandwidthKbps == 56) return 256;
  if (bandwidthKbps == 6144) return 4096;
  return bandwidthKbps;
}

int SegmentAdjustFor(std::int32_t bandwidthKbps) {
  if (bandwidthKbps <= 512) return +1;
  if (bandwidthKbps == 10240) return -1;
  return 0;
}

std::optional<std::int32_t> ComputeTcpWindow(std::int32_t bandwidthKbps, std::int32_t mtu) {
  if (mtu <= 40) return std::nullopt;
  // 64-bit arithmetic: the 32-bit figures of the classes fit, others need not.
  const std::int64_t bits = static_cast<std::int64_t>(WindowBaseKbpsFor(bandwidthKbps)) * 1024;
  const std::int64_t bytes = (bits / (1000 / kRoundTripMs)) / 8;
  const std::int64_t segment = mtu - 40;
  const std::int64_t segments = bytes / segment + SegmentAdjustFor(bandwidthKbps);
  const std::int64_t window = segments * segment;
  if (window < INT32_MIN || window > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(window);
}

std::int32_t ReceiveBufferFigure(std::int32_t bandwidthKbps) {
  if (bandwidthKbps < 112) return 65392;
  if (bandwidthKbps <= 2048) return 256960;
  return 513920;
}

}  // namespace velomar
