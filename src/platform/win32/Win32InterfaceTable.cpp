// The interface table over GetIfTable (iphlpapi.dll, present since
// Windows 98 and 2000).
#include <windows.h>
// windows.h first: the IP Helper headers use its types.
#include <iphlpapi.h>

#include <cstddef>

#include "platform/InterfaceTable.h"

namespace velomar::platform {

namespace {

constexpr std::size_t kRowsOffset = offsetof(MIB_IFTABLE, table);
constexpr DWORD kTableBytes = 220164;
static_assert(sizeof(MIB_IFROW) == 860, "the interface row of every Windows build");
static_assert(kTableBytes == kRowsOffset + kMaxInterfaceRows * sizeof(MIB_IFROW));

class Win32InterfaceTable : public InterfaceTable {
 public:
  std::size_t ReadReceivedOctets(std::span<std::uint32_t> rows) override {
    // On the stack: the table is read every second and must not allocate.
    alignas(MIB_IFTABLE) unsigned char buffer[kTableBytes];
    auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer);
    ULONG size = kTableBytes;
    // On failure (more interfaces than the buffer holds, among others) the
    // buffer holds nothing that can be trusted, not even the row count.
    if (GetIfTable(table, &size, FALSE) != NO_ERROR) return 0;
    const std::size_t count = table->dwNumEntries;
    if (count > kMaxInterfaceRows || count > rows.size()) return 0;
    // The rows are indexed from the buffer: MIB_IFTABLE declares room for
    // one only.
    const auto* row = reinterpret_cast<const MIB_IFROW*>(buffer + kRowsOffset);
    for (std::size_t i = 0; i < count; ++i) rows[i] = row[i].dwInOctets;
    return count;
  }
};

}  // namespace

InterfaceTable& SystemInterfaceTable() {
  static Win32InterfaceTable table;
  return table;
}

}  // namespace velomar::platform
