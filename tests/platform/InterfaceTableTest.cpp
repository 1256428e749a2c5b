// The system's interface table (GetIfTable on Windows, /proc/net/dev
// elsewhere) against traffic of the test's own on the loopback, and the
// /proc/net/dev reader on files of given content. (The traffic sampler over
// it: tests/monitor.)
#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <array>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "platform/InterfaceTable.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace velomar {
namespace {

#ifdef _WIN32
using Socket = SOCKET;
void CloseSocket(Socket s) { closesocket(s); }
#else
using Socket = int;
void CloseSocket(Socket s) { ::close(s); }
#endif

// A datagram socket bound to the loopback that sends to itself. What it
// sends is counted as received by the loopback interface whether or not
// anyone reads it.
class LoopbackTraffic {
 public:
  LoopbackTraffic() {
#ifdef _WIN32
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
#endif
    socket_ = socket(AF_INET, SOCK_DGRAM, 0);
    address_.sin_family = AF_INET;
    address_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address_;
    bound_ = bind(socket_, reinterpret_cast<sockaddr*>(&address_), sizeof address_) == 0 &&
             getsockname(socket_, reinterpret_cast<sockaddr*>(&address_), &length) == 0;
  }
  ~LoopbackTraffic() {
    CloseSocket(socket_);
#ifdef _WIN32
    if (started_) WSACleanup();
#endif
  }

  // Sends `datagrams` of `size` bytes; false when one could not be sent.
  bool Send(int datagrams, int size) {
    const std::string payload(static_cast<std::size_t>(size), 'v');
    auto* to = reinterpret_cast<const sockaddr*>(&address_);
    for (int i = 0; i < datagrams && bound_; ++i)
      if (sendto(socket_, payload.data(), size, 0, to, sizeof address_) != size) return false;
    return bound_;
  }

 private:
  bool started_ = false;
  bool bound_ = false;
  Socket socket_;
  sockaddr_in address_{};
};

// A difference this large on a test machine means a total that fell: a
// table read that failed or lost rows.
constexpr std::uint32_t kImplausibleDifference = 1u << 31;

// What every interface received, modulo 2^32, as the traffic sampler adds it.
std::uint32_t ReceivedTotal() {
  std::array<std::uint32_t, platform::kMaxInterfaceRows> rows;
  const std::size_t filled = platform::SystemInterfaceTable().ReadReceivedOctets(rows);
  return std::accumulate(rows.begin(), rows.begin() + filled, std::uint32_t{0});
}

TEST(SystemInterfaceTable, ReadingsASecondApartCountWhatTheLoopbackReceived) {
  std::array<std::uint32_t, platform::kMaxInterfaceRows> rows;
  EXPECT_GE(platform::SystemInterfaceTable().ReadReceivedOctets(rows), 1u) << "the loopback at least";

  LoopbackTraffic traffic;
  std::uint32_t before = ReceivedTotal();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  std::uint32_t after = ReceivedTotal();
  EXPECT_LT(after - before, kImplausibleDifference);  // a quiet machine gives 0
  constexpr int kDatagrams = 100, kSize = 1000;
  before = after;
  ASSERT_TRUE(traffic.Send(kDatagrams, kSize));
  std::this_thread::sleep_for(std::chrono::seconds(1));
  after = ReceivedTotal();
  EXPECT_GE(after - before, static_cast<std::uint32_t>(kDatagrams * kSize));
  EXPECT_LT(after - before, kImplausibleDifference);
}

TEST(SystemInterfaceTable, ReadingAllocatesNothing) {
  platform::InterfaceTable& table = platform::SystemInterfaceTable();
  std::array<std::uint32_t, platform::kMaxInterfaceRows> rows;
  table.ReadReceivedOctets(rows);  // the first reading may set up what the table keeps
  const long before = test::AllocationCount();
  for (int i = 0; i < 20; ++i) table.ReadReceivedOctets(rows);
  EXPECT_EQ(test::AllocationCount() - before, 0);
}

#ifndef _WIN32

constexpr const char* kHeads =
    "Inter-|   Receive                                                |  Transmit\n"
    " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs drop fifo colls carrier "
    "compressed\n";

std::string InterfaceLine(const std::string& name, const std::string& received) {
  return "  " + name + ": " + received +
         "     505    0    0    0     0          0         0 17519031     505    0    0 "
         "   0     0       0          0\n";
}

class ProcNetDevTest : public ::testing::Test {
 protected:
  std::size_t Read(const std::string& text, std::size_t room = platform::kMaxInterfaceRows) {
    test::WriteFileText(file, text);
    rows.fill(0xDEADBEEF);
    return platform::ProcNetDevTable(file)->ReadReceivedOctets(std::span(rows).first(room));
  }
  test::TempFolder folder;
  std::string file = folder.File("dev");
  std::array<std::uint32_t, platform::kMaxInterfaceRows> rows;
};

TEST_F(ProcNetDevTest, ReceivedBytesOfEveryInterfaceAsTheirLow32BitsOrNoRowsAtAll) {
  std::string text = std::string(kHeads) + InterfaceLine("lo", "17519031") + InterfaceLine("wlan0", "4294967396") +
                     "docker0:18446744073709551615 0 0\n    eth0: 7 1 0";  // no line end on the last line
  ASSERT_EQ(Read(text), 4u);
  EXPECT_EQ(std::vector(rows.begin(), rows.begin() + 5),
            (std::vector<std::uint32_t>{17519031, 100, 0xFFFFFFFF, 7, 0xDEADBEEF}));
  EXPECT_EQ(Read(text, 3), 0u) << "more interfaces than room";
  EXPECT_EQ(Read(kHeads), 0u);
  EXPECT_EQ(Read(std::string(kHeads) + "  eth0: x 1 2\n"), 0u) << "no counter";
  EXPECT_EQ(Read(std::string(kHeads) + "  eth0: 5" + std::string(5000, ' ') + "6\n"), 0u) << "a line past the chunk";
  EXPECT_EQ(platform::ProcNetDevTable(folder.File("missing"))->ReadReceivedOctets(rows), 0u);

  // The full table runs over many chunks.
  text = kHeads;
  for (std::size_t i = 0; i < platform::kMaxInterfaceRows; ++i)
    text += InterfaceLine("veth" + std::to_string(i), std::to_string(1000000 + i));
  ASSERT_EQ(Read(text), platform::kMaxInterfaceRows);
  for (std::size_t i = 0; i < platform::kMaxInterfaceRows; ++i) EXPECT_EQ(rows[i], 1000000 + i) << i;
}

#endif

}  // namespace
}  // namespace velomar
