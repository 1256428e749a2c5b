// The size search of MeasurePathMtu against the scripted echo service.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "ScriptedEchoService.h"
#include "mtu/EchoRequester.h"
#include "mtu/PathMtuSearch.h"

namespace velomar {
namespace {

using test::ScriptedEchoService;
using Sizes = std::vector<std::int32_t>;

constexpr const char* kHost = "127.0.0.1";

class SizeSearchTest : public ::testing::Test {
 protected:
  std::int32_t Measure(std::int32_t pathMtu) {
    service.pathMtu = pathMtu;
    return MeasurePathMtu(kHost);
  }
  ScriptedEchoService service;
  ScopedIcmpEcho scoped{service};
};

TEST_F(SizeSearchTest, NarrowsToTheBoundaryOfCommonPaths) {
  EXPECT_EQ(Measure(1500), 1500);
  EXPECT_EQ(service.Sizes(), (Sizes{40, 1064, 2088, 1320, 1576, 1384, 1448, 1512, 1464, 1480, 1468, 1472, 1476, 1473}));

  ScriptedEchoService pppoe;
  ScopedIcmpEcho usePppoe(pppoe);
  pppoe.pathMtu = 1492;
  EXPECT_EQ(MeasurePathMtu(kHost), 1492);
  EXPECT_EQ(pppoe.Sizes(), (Sizes{40, 1064, 2088, 1320, 1576, 1384, 1448, 1512, 1464, 1480, 1468, 1465}));

  ScriptedEchoService dialUp;
  ScopedIcmpEcho useDialUp(dialUp);
  dialUp.pathMtu = 576;
  EXPECT_EQ(MeasurePathMtu(kHost), 576);
  EXPECT_EQ(dialUp.Sizes(),
            (Sizes{40, 1064, 296, 552, 360, 424, 488, 552, 504, 520, 536, 552, 540, 544, 548, 552, 549}));
}

TEST_F(SizeSearchTest, EveryEchoAsksForDontFragmentWithinTheProbeTimeout) {
  Measure(1500);
  const auto echoes = service.Echoes();
  ASSERT_EQ(echoes.size(), 14u);
  for (const auto& echo : echoes) {
    EXPECT_EQ(echo.address, platform::InetAddr(kHost));
    EXPECT_EQ(echo.options.Flags, platform::kIpFlagDontFragment);
    EXPECT_EQ(echo.options.Ttl, 64);
    EXPECT_EQ(echo.timeoutMs, 2500u);
  }
  // One component per attempt, each released.
  EXPECT_EQ(service.counts().handlesOpened, 14);
  EXPECT_EQ(service.counts().handlesClosed, 14);
}

TEST_F(SizeSearchTest, EveryPathMtuFrom68GivesItself) {
  for (std::int32_t mtu = 68; mtu <= 1500; ++mtu) {
    service.pathMtu = mtu;
    ASSERT_EQ(SearchPathMtu([&](std::int32_t size) {
                return ProbeAnswer{size + 28 <= mtu ? platform::kIpSuccess : platform::kIpPacketTooBig, 1};
              }),
              mtu);
  }
  for (std::int32_t mtu : {1501, 4352, 9000, 16384, 65535}) {
    ScriptedEchoService jumbo;
    ScopedIcmpEcho useJumbo(jumbo);
    jumbo.pathMtu = mtu;
    EXPECT_EQ(MeasurePathMtu(kHost), mtu);
  }
}

TEST_F(SizeSearchTest, APathThatIgnoresDontFragmentEndsAtTheLargestEcho) {
  EXPECT_EQ(Measure(INT_MAX), 65535);
  const auto sizes = service.Sizes();
  EXPECT_EQ(*std::max_element(sizes.begin(), sizes.end()), kMaxEchoDataSize);
  EXPECT_EQ(std::count(sizes.begin(), sizes.end(), kMaxEchoDataSize), 1);
}

TEST_F(SizeSearchTest, PathsBelowTheFirstSizeAreFoundAndNoAnsweredSizeIsNoResult) {
  EXPECT_EQ(Measure(67), 67);
  EXPECT_EQ(Measure(29), 29);
  EXPECT_EQ(Measure(28), -1) << "not even one data byte got through";
}

TEST_F(SizeSearchTest, ATimeoutRetriesTheSameSize) {
  service.scriptedStatus[1] = platform::kIpReqTimedOut;
  service.scriptedStatus[6] = platform::kIpReqTimedOut;
  EXPECT_EQ(Measure(1500), 1500);
  EXPECT_EQ(service.Sizes(),
            (Sizes{40, 1064, 1064, 2088, 1320, 1576, 1384, 1384, 1448, 1512, 1464, 1480, 1468, 1472, 1476, 1473}));
}

TEST_F(SizeSearchTest, TheThirdTimeoutAnywhereEndsTheSearch) {
  service.scriptedStatus[0] = platform::kIpReqTimedOut;
  service.scriptedStatus[5] = platform::kIpReqTimedOut;
  service.scriptedStatus[9] = platform::kIpReqTimedOut;
  EXPECT_EQ(Measure(1500), -1);
  EXPECT_EQ(service.Sizes().size(), 10u);
}

TEST_F(SizeSearchTest, OtherStatusesRetryButOnlyABoundedNumberOfTimes) {
  service.scriptedStatus[3] = platform::kIpGeneralFailure;
  service.scriptedStatus[4] = platform::kIpDestHostUnreachable;
  EXPECT_EQ(Measure(1500), 1500);
  EXPECT_EQ(service.Sizes().size(), 16u);

  ScriptedEchoService failing;
  ScopedIcmpEcho useFailing(failing);
  for (int i = 0; i < 100; ++i) failing.scriptedStatus[i] = platform::kIpGeneralFailure;
  EXPECT_EQ(MeasurePathMtu(kHost), -1);
  EXPECT_EQ(failing.Sizes(), (Sizes(kProbeOtherStatusLimit, 40)));
}

TEST_F(SizeSearchTest, AnEchoWithoutReplyIsReadFromTheLastError) {
  // Timeouts and too-big answers arrive with no reply at all, the reply
  // buffer still zeroed: read as a success they would end the search.
  service.failuresWithoutReply = true;
  service.scriptedStatus[1] = platform::kIpReqTimedOut;
  EXPECT_EQ(Measure(1492), 1492);
  EXPECT_EQ(service.Sizes(), (Sizes{40, 1064, 1064, 2088, 1320, 1576, 1384, 1448, 1512, 1464, 1480, 1468, 1465}));

  ScriptedEchoService silent;
  ScopedIcmpEcho useSilent(silent);
  silent.failuresWithoutReply = true;
  for (int i = 0; i < 3; ++i) silent.scriptedStatus[i] = platform::kIpReqTimedOut;
  EXPECT_EQ(MeasurePathMtu(kHost), -1);
  EXPECT_EQ(silent.Sizes(), (Sizes{40, 40, 40})) << "three timeouts, each retried at the same size";
}

TEST_F(SizeSearchTest, NoNameResolutionEndsAfterASingleAttempt) {
  EXPECT_EQ(MeasurePathMtu("probe.unresolvable.test"), -1);
  EXPECT_EQ(service.counts().lookups, 1);
  EXPECT_EQ(service.counts().handlesOpened, 1);
  EXPECT_TRUE(service.Echoes().empty());
}

TEST_F(SizeSearchTest, TheHostIsResolvedByName) {
  service.hosts["probe.test"] = {"probe.test", platform::InetAddr("192.0.2.7")};
  service.pathMtu = 1400;
  EXPECT_EQ(MeasurePathMtu("probe.test"), 1400);
  EXPECT_EQ(service.Echoes().at(0).address, platform::InetAddr("192.0.2.7"));
}

TEST_F(SizeSearchTest, AComponentThatCannotBeBuiltEndsTheSearchWithoutResult) {
  service.createFileFails = true;
  EXPECT_EQ(Measure(1500), -1);
  service.createFileFails = false;
  service.loadFailure = platform::IcmpLoadFailure::NoLibrary;
  EXPECT_EQ(Measure(1500), -1);
  service.loadFailure = platform::IcmpLoadFailure::None;
  service.startupError = 10091;
  EXPECT_EQ(Measure(1500), -1);
  EXPECT_TRUE(service.Echoes().empty());
}

TEST_F(SizeSearchTest, AnyFailureInsideAnAttemptEndsTheSearchWithoutResult) {
  service.throwOnEcho = 2;
  EXPECT_EQ(Measure(1500), -1);
  EXPECT_EQ(service.Sizes(), (Sizes{40, 1064}));
}

TEST_F(SizeSearchTest, TheProbeServesTheAutomaticPass) {
  PathMtuProbe probe(kHost);
  service.pathMtu = 1492;
  PathMtuProvider& provider = probe;
  EXPECT_EQ(provider.MeasurePathMtu(), 1492);
}

}  // namespace
}  // namespace velomar
