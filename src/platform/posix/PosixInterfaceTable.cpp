// The interface table from the kernel's counters in /proc/net/dev: two
// lines of column heads, then one line per interface,
// "name: rx_bytes rx_packets ...". The file is read in chunks on the stack,
// a line at a time, so a reading allocates nothing.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/InterfaceTable.h"

namespace velomar::platform {

namespace {

// Room for the longest line the kernel writes (a name and sixteen 64-bit
// counters) many times over.
constexpr std::size_t kChunkBytes = 4096;

enum class LineKind { Heading, Interface, Malformed };

// The received-byte counter of an interface line, as its low 32 bits.
LineKind ParseLine(std::string_view line, std::uint32_t& octets) {
  // Interface names cannot hold a colon; the heading lines have none.
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return LineKind::Heading;
  std::size_t i = colon + 1;
  while (i < line.size() && line[i] == ' ') ++i;
  auto isDigit = [&](std::size_t at) { return at < line.size() && line[at] >= '0' && line[at] <= '9'; };
  if (!isDigit(i)) return LineKind::Malformed;
  // Unsigned arithmetic wraps, which leaves the low 32 bits of the 64-bit
  // counter, as a 32-bit counter would hold them.
  std::uint32_t value = 0;
  for (; isDigit(i); ++i) value = value * 10u + static_cast<std::uint32_t>(line[i] - '0');
  octets = value;
  return LineKind::Interface;
}

class ProcNetDevFile : public InterfaceTable {
 public:
  explicit ProcNetDevFile(std::string path) : path_(std::move(path)) {}

  std::size_t ReadReceivedOctets(std::span<std::uint32_t> rows) override {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::size_t count = 0;
    auto take = [&](std::string_view line) {
      std::uint32_t octets = 0;
      switch (ParseLine(line, octets)) {
        case LineKind::Heading: return true;
        case LineKind::Malformed: return false;
        case LineKind::Interface: break;
      }
      if (count == rows.size()) return false;
      rows[count++] = octets;
      return true;
    };
    const bool complete = ReadLines(fd, take);
    ::close(fd);
    return complete ? count : 0;
  }

 private:
  // Hands every line to `take` until it refuses one; false when it did, or
  // the file could not be read to its end.
  template <typename Take>
  static bool ReadLines(int fd, Take& take) {
    char chunk[kChunkBytes];
    std::size_t held = 0;  // the start of an unfinished line, at the front
    for (;;) {
      const ssize_t got = ::read(fd, chunk + held, sizeof chunk - held);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return false;
      if (got == 0) return held == 0 || take(std::string_view(chunk, held));
      const std::string_view text(chunk, held + static_cast<std::size_t>(got));
      std::size_t start = 0;
      for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
        if (!take(text.substr(start, end - start))) return false;
      }
      held = text.size() - start;
      if (held == sizeof chunk) return false;  // a line longer than any the kernel writes
      std::memmove(chunk, chunk + start, held);
    }
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<InterfaceTable> ProcNetDevTable(std::string path) {
  return std::make_unique<ProcNetDevFile>(std::move(path));
}

InterfaceTable& SystemInterfaceTable() {
  static ProcNetDevFile table("/proc/net/dev");
  return table;
}

}  // namespace velomar::platform
