#pragma once
// TrafficSampler: the octets received by all network interfaces, read from the
// platform's interface table, for the traffic graph.
#include <cstdint>

#include "platform/InterfaceTable.h"
#include "platform/ScopedSeam.h"

namespace velomar {

// The interface table samplers read: the system's, unless a test put
// another in its place for the lifetime of a ScopedInterfaceTable.
platform::InterfaceTable& ActiveInterfaceTable();
using ScopedInterfaceTable = platform::Scoped<platform::InterfaceTable>;

class TrafficSampler {
 public:
  // Takes the active table and reads it once, so that the first
  // GetNetSpeed measures from here.
  TrafficSampler();

  // The stored total becomes the sum, modulo 2^32, of the received-octet
  // counters of every interface; 0 when the table cannot be read.
  void UpdateTotal();
  // The octets received since the previous reading, modulo 2^32, halved:
  // 0 to 2^31 - 1. A total that fell (an interface removed, a table that
  // could not be read) counts as wrapped and gives a large reading.
  std::uint32_t GetNetSpeed();

  std::uint32_t Total() const { return total_; }

 private:
  platform::InterfaceTable* table_;
  std::uint32_t total_ = 0;
};

}  // namespace velomar
