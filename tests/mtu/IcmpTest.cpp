// EchoRequester and Pinger over the scripted echo service.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedEchoService.h"
#include "mtu/EchoRequester.h"
#include "mtu/Pinger.h"

namespace velomar {
namespace {

using test::ScriptedEchoService;

const std::uint32_t kLoopback = platform::InetAddr("127.0.0.1");
const std::uint32_t kProbeAddress = platform::InetAddr("10.1.2.3");

class IcmpTest : public ::testing::Test {
 protected:
  IcmpTest() { service.hosts["probe.test"] = {"official.probe.test", kProbeAddress}; }
  ScriptedEchoService service;
  ScopedIcmpEcho scoped{service};
};

std::string ConstructionMessage() {
  try {
    EchoRequester icmp;
  } catch (const EchoRequesterError& e) {
    return e.what();
  }
  return "";
}

TEST_F(IcmpTest, EachConstructionStepThatFailsNamesItselfAndReleasesWhatWasAcquired) {
  service.startupError = 10091;
  EXPECT_EQ(ConstructionMessage(), "Error initialising Winsock");
  EXPECT_EQ(service.counts().cleanups, 0) << "a start that failed must not be cleaned up";

  service.startupError = 0;
  service.loadFailure = platform::IcmpLoadFailure::NoLibrary;
  EXPECT_EQ(ConstructionMessage(), "Unable to register icmp.dll");
  service.loadFailure = platform::IcmpLoadFailure::MissingEntryPoints;
  EXPECT_EQ(ConstructionMessage(), "Error loading dll functions");
  service.loadFailure = platform::IcmpLoadFailure::None;
  service.createFileFails = true;
  EXPECT_EQ(ConstructionMessage(), "Unable to get ping handle");
  EXPECT_THROW(Pinger ping, EchoRequesterError);

  const auto counts = service.counts();
  EXPECT_EQ(counts.startups, 4);
  EXPECT_EQ(counts.cleanups, counts.startups);
  EXPECT_EQ(counts.librariesFreed, counts.librariesLoaded);
  EXPECT_EQ(counts.handlesOpened, 0);
}

TEST_F(IcmpTest, NewObjectHasTheDefaultsAndReleasesEverythingOnDestruction) {
  {
    EchoRequester icmp;
    EXPECT_EQ(icmp.size, 56);
    EXPECT_EQ(icmp.timeout, 4000);
    EXPECT_EQ(icmp.ttl, 64);
    EXPECT_EQ(icmp.flags, 0);
    EXPECT_EQ(icmp.Reply(), platform::EchoReply{});
    EXPECT_EQ(icmp.IPAddress(), platform::kNoAddress);
    EXPECT_FALSE(icmp.AddressResolved());
  }
  const auto counts = service.counts();
  EXPECT_EQ(counts.handlesOpened, 1);
  EXPECT_EQ(counts.handlesClosed, 1);
  EXPECT_EQ(counts.librariesFreed, 1);
  EXPECT_EQ(counts.cleanups, 1);
}

TEST_F(IcmpTest, NumericAndNamedAddressesResolve) {
  EchoRequester icmp;
  icmp.SetAddress("127.0.0.1");
  icmp.ResolveAddress();
  EXPECT_TRUE(icmp.AddressResolved());
  EXPECT_EQ(icmp.HostName(), "127.0.0.1");
  EXPECT_EQ(icmp.HostIP(), "127.0.0.1");
  EXPECT_EQ(icmp.IPAddress(), kLoopback);
  EXPECT_EQ(service.counts().lookups, 0) << "a dotted address needs no lookup";

  icmp.SetAddress("probe.test");
  EXPECT_FALSE(icmp.AddressResolved());
  icmp.ResolveAddress();
  EXPECT_EQ(icmp.HostName(), "official.probe.test");
  EXPECT_EQ(icmp.HostIP(), "10.1.2.3");
  EXPECT_EQ(icmp.IPAddress(), kProbeAddress);
}

TEST_F(IcmpTest, SettingTheSameAddressKeepsItsResolution) {
  EchoRequester icmp;
  icmp.SetAddress("probe.test");
  EXPECT_EQ(icmp.SendPing(), 1);
  icmp.SetAddress("probe.test");
  EXPECT_TRUE(icmp.AddressResolved());
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_EQ(service.counts().lookups, 1);

  icmp.SetAddress("127.0.0.1");
  icmp.SetAddress("probe.test");
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_EQ(service.counts().lookups, 2);
}

TEST_F(IcmpTest, UnresolvableNameSendsNothingAndKeepsTheLastReply) {
  EchoRequester icmp;
  std::vector<std::string> shown;
  icmp.onDisplay = [&](EchoRequester& sender, const std::string& message) {
    EXPECT_EQ(&sender, &icmp);
    shown.push_back(message);
  };
  icmp.SetAddress("127.0.0.1");
  ASSERT_EQ(icmp.SendPing(), 1);
  const auto previous = icmp.Reply();

  icmp.SetAddress("nowhere.test");
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(shown, (std::vector<std::string>{"Unable to resolve nowhere.test", "Invalid host address"}));
  EXPECT_EQ(icmp.LastError(), 11018);
  EXPECT_EQ(icmp.Reply(), previous);
  EXPECT_EQ(icmp.IPAddress(), platform::kNoAddress) << "the earlier host must not get the echo";
  EXPECT_EQ(service.Echoes().size(), 1u);
}

TEST_F(IcmpTest, RequestDataIsTheIdentificationTextPaddedWithSpaces) {
  const std::string text = kIdentificationText;
  ASSERT_EQ(text.size(), 45u);
  EchoRequester icmp;
  icmp.SetAddress("127.0.0.1");
  for (int size : {0, 1, 10, 44, 45, 46, 100}) {
    icmp.size = size;
    icmp.SendPing();
  }
  const auto echoes = service.Echoes();
  ASSERT_EQ(echoes.size(), 7u);
  EXPECT_EQ(echoes[0].data, "");
  EXPECT_EQ(echoes[1].data, text.substr(0, 1));
  EXPECT_EQ(echoes[2].data, text.substr(0, 10));
  EXPECT_EQ(echoes[3].data, text.substr(0, 44));
  EXPECT_EQ(echoes[4].data, text);
  EXPECT_EQ(echoes[5].data, text + " ");
  EXPECT_EQ(echoes[6].data, text + std::string(55, ' '));
}

TEST_F(IcmpTest, OptionsCarryTheLowBytesAndTheReplyIsKept) {
  EchoRequester icmp;
  icmp.SetAddress("probe.test");
  icmp.ttl = 0x1FF;
  icmp.flags = 0x302;
  icmp.timeout = 1234;
  icmp.size = 100;
  std::vector<std::string> order;
  icmp.onEchoRequest = [&](EchoRequester&) { order.push_back("request"); };
  icmp.onEchoReply = [&](EchoRequester&, std::int32_t result) { order.push_back("reply " + std::to_string(result)); };
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_EQ(order, (std::vector<std::string>{"request", "reply 1"}));

  const auto echo = service.Echoes().at(0);
  EXPECT_EQ(echo.address, kProbeAddress);
  EXPECT_EQ(echo.options.Ttl, 0xFF);
  EXPECT_EQ(echo.options.Tos, 0);
  EXPECT_EQ(echo.options.Flags, 2);
  EXPECT_EQ(echo.options.OptionsSize, 0);
  EXPECT_EQ(echo.timeoutMs, 1234u);
  EXPECT_EQ(icmp.Reply().Address, kProbeAddress);
  EXPECT_EQ(icmp.Reply().Status, platform::kIpSuccess);
  EXPECT_EQ(icmp.Reply().DataSize, 100);
  EXPECT_EQ(icmp.LastError(), 0);

  icmp.size = 2000;  // beyond the scripted path
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(icmp.Reply().Status, platform::kIpPacketTooBig);
  EXPECT_EQ(icmp.LastError(), 11009);
}

TEST_F(IcmpTest, SizesAnEchoCannotCarryAreRefusedUnsent) {
  EchoRequester icmp;
  icmp.SetAddress("127.0.0.1");
  service.pathMtu = 1 << 20;
  icmp.size = kMaxEchoDataSize;
  EXPECT_EQ(icmp.SendPing(), 1);
  icmp.size = kMaxEchoDataSize + 1;
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(icmp.LastError(), 11009);
  icmp.size = 70000;  // would wrap to 4464 in the 16-bit length
  EXPECT_EQ(icmp.SendPing(), 0);
  icmp.size = -1;
  EXPECT_EQ(icmp.SendPing(), 0);
  EXPECT_EQ(icmp.LastError(), 11011);
  EXPECT_EQ(service.Sizes(), (std::vector<std::int32_t>{kMaxEchoDataSize}));
}

TEST_F(IcmpTest, PingPassesItsSettingsThroughAndForwardsTheNotifications) {
  Pinger ping;
  EXPECT_EQ(ping.Size(), 56);
  EXPECT_EQ(ping.Timeout(), 4000);
  EXPECT_EQ(ping.TTL(), 64);
  EXPECT_EQ(ping.Flags(), 0);
  ping.SetAddress("nowhere.test");
  ping.SetSize(12);
  ping.SetTimeout(99);
  ping.SetTTL(5);
  ping.SetFlags(2);
  EXPECT_EQ(ping.Address(), "nowhere.test");
  EXPECT_EQ(ping.Size(), 12);
  EXPECT_EQ(ping.Timeout(), 99);
  EXPECT_EQ(ping.TTL(), 5);
  EXPECT_EQ(ping.Flags(), 2);

  std::vector<std::string> events;
  EchoRequester* icmpSeen = nullptr;
  ping.onDisplay = [&](Pinger& sender, EchoRequester& icmp, const std::string& message) {
    EXPECT_EQ(&sender, &ping);
    icmpSeen = &icmp;
    events.push_back("display " + message);
  };
  ping.onEchoRequest = [&](Pinger& sender, EchoRequester&) {
    EXPECT_EQ(&sender, &ping);
    events.push_back("request");
  };
  ping.onEchoReply = [&](Pinger& sender, EchoRequester&, std::int32_t replies) {
    EXPECT_EQ(&sender, &ping);
    events.push_back("reply " + std::to_string(replies));
  };
  EXPECT_EQ(ping.SendPing(), 0);
  EXPECT_NE(icmpSeen, nullptr);
  ping.SetAddress("probe.test");
  EXPECT_EQ(ping.SendPing(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"display Unable to resolve nowhere.test", "display Invalid host address",
                                              "request", "reply 1"}));
  EXPECT_EQ(ping.Reply().Address, kProbeAddress);
  EXPECT_EQ(ping.Reply().DataSize, 12);
  EXPECT_EQ(service.Echoes().at(0).options.Ttl, 5);
}

}  // namespace
}  // namespace velomar
