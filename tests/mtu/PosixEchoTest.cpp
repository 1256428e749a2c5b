// The Linux echo service for real. netns_test.sh runs this program inside a
// network namespace of its own whose loopback has the MTU given in
// VELOMAR_NETNS_MTU; without it every test is skipped, since outside such a
// namespace neither the MTU nor the echo settings are the test's to change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "mtu/EchoRequester.h"
#include "mtu/PathMtuSearch.h"

namespace velomar {
namespace {

constexpr const char* kLoopback = "127.0.0.1";

class PosixEchoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* mtu = std::getenv("VELOMAR_NETNS_MTU");
    if (!mtu) GTEST_SKIP() << "runs only inside the namespace of netns_test.sh";
    pathMtu = std::atoi(mtu);
  }
  int pathMtu = 0;
};

// Makes the namespace ignore echo requests while it lives.
class IgnoredEchoes {
 public:
  IgnoredEchoes() { Write("1"); }
  ~IgnoredEchoes() { Write("0"); }

 private:
  static void Write(const char* value) { std::ofstream("/proc/sys/net/ipv4/icmp_echo_ignore_all") << value; }
};

TEST_F(PosixEchoTest, MeasuresTheLoopbackMtu) { EXPECT_EQ(MeasurePathMtu(kLoopback), pathMtu); }

TEST_F(PosixEchoTest, AnEchoThatFitsIsAnsweredByItsDestination) {
  EchoRequester icmp;
  icmp.SetAddress(kLoopback);
  icmp.size = pathMtu - 28;
  icmp.flags = platform::kIpFlagDontFragment;
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_EQ(icmp.Reply().Status, platform::kIpSuccess);
  EXPECT_EQ(icmp.Reply().Address, platform::InetAddr(kLoopback));
  EXPECT_EQ(icmp.Reply().DataSize, pathMtu - 28);
  EXPECT_EQ(icmp.LastError(), 0);
}

TEST_F(PosixEchoTest, LocalhostResolvesThroughTheSystemResolver) {
  EchoRequester icmp;
  icmp.SetAddress("localhost");
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_TRUE(icmp.AddressResolved());
  EXPECT_EQ(icmp.HostIP(), "127.0.0.1");
  EXPECT_FALSE(icmp.HostName().empty());
  icmp.SetAddress("name.that.does.not.resolve.invalid");
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(icmp.LastError(), 11018);
}

TEST_F(PosixEchoTest, OneByteMoreWithDontFragmentIsTooBig) {
  EchoRequester icmp;
  icmp.SetAddress(kLoopback);
  icmp.size = pathMtu - 27;
  icmp.flags = platform::kIpFlagDontFragment;
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(icmp.Reply().Status, platform::kIpPacketTooBig);
  EXPECT_EQ(icmp.LastError(), 11009);
}

TEST_F(PosixEchoTest, WithoutDontFragmentALargeEchoIsFragmentedAndAnswered) {
  EchoRequester icmp;
  icmp.SetAddress(kLoopback);
  icmp.size = 3 * pathMtu;
  icmp.flags = 0;
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_EQ(icmp.Reply().Status, platform::kIpSuccess);
  EXPECT_EQ(icmp.Reply().DataSize, 3 * pathMtu);
}

TEST_F(PosixEchoTest, AnUnansweredEchoTimesOut) {
  IgnoredEchoes ignored;
  EchoRequester icmp;
  icmp.SetAddress(kLoopback);
  icmp.timeout = 200;
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(icmp.Reply().Status, platform::kIpReqTimedOut);
  EXPECT_EQ(icmp.LastError(), 11010);
}

TEST_F(PosixEchoTest, RepeatedEchoesOfOneObjectEachGetTheirOwnAnswer) {
  EchoRequester icmp;
  icmp.SetAddress(kLoopback);
  icmp.flags = platform::kIpFlagDontFragment;
  for (int size : {100, pathMtu - 27, 200, pathMtu - 28}) {
    icmp.size = size;
    const bool fits = size + 28 <= pathMtu;
    EXPECT_EQ(icmp.SendPing(), fits ? 1 : 0) << size;
    EXPECT_EQ(icmp.Reply().Status, fits ? platform::kIpSuccess : platform::kIpPacketTooBig) << size;
    if (fits) {
      EXPECT_EQ(icmp.Reply().DataSize, size);
    }
  }
}

}  // namespace
}  // namespace velomar
