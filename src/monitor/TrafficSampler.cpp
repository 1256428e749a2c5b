#include "monitor/TrafficSampler.h"

#include <array>

namespace velomar {

platform::InterfaceTable& ActiveInterfaceTable() {
  return ScopedInterfaceTable::ActiveOr(platform::SystemInterfaceTable);
}

TrafficSampler::TrafficSampler() : table_(&ActiveInterfaceTable()) { UpdateTotal(); }

void TrafficSampler::UpdateTotal() {
  std::array<std::uint32_t, platform::kMaxInterfaceRows> rows;
  const std::size_t filled = table_->ReadReceivedOctets(rows);
  std::uint32_t total = 0;
  // Only the rows the table wrote are read; a table claiming more than the
  // buffer holds is not believed at all.
  if (filled <= rows.size()) {
    for (std::size_t i = 0; i < filled; ++i) total += rows[i];
  }
  total_ = total;
}

std::uint32_t TrafficSampler::GetNetSpeed() {
  const std::uint32_t previous = total_;
  UpdateTotal();
  return (total_ - previous) >> 1;
}

}  // namespace velomar
