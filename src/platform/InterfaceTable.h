#pragma once
// Interface table seam: the received-octet counters of every network
// interface, read once a second for the traffic graph. Two backends:
// GetIfTable of iphlpapi.dll on Windows, the kernel's counters in
// /proc/net/dev elsewhere. Tests put a table of their own in place.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace velomar::platform {

// The most interfaces one reading takes: the rows of a 220164-byte
// MIB_IFTABLE (4 + 256 x 860 bytes).
inline constexpr std::size_t kMaxInterfaceRows = 256;

class InterfaceTable {
 public:
  virtual ~InterfaceTable() = default;
  // Writes the received-octet counter of every interface, of any type and
  // state and the loopback included, as its low 32 bits, into `rows` from
  // the front, and answers how many it wrote. 0 when the table cannot be
  // read or lists more interfaces than `rows` has room for. Allocates
  // nothing: it runs every second for the life of the program.
  virtual std::size_t ReadReceivedOctets(std::span<std::uint32_t> rows) = 0;
};

// The interface table of this system.
InterfaceTable& SystemInterfaceTable();

#ifndef _WIN32
// The table as read from a file in the format of /proc/net/dev (the system
// table reads that one; tests give it others).
std::unique_ptr<InterfaceTable> ProcNetDevTable(std::string path);
#endif

}  // namespace velomar::platform
