// The worker hand-shake of the probe: the result is written before the done
// flag and read after it (run under ThreadSanitizer in the tsan preset).
#include <gtest/gtest.h>

#include "ScriptedEchoService.h"
#include "mtu/EchoRequester.h"
#include "mtu/PathMtuSearch.h"

namespace velomar {
namespace {

TEST(ProbeHandshake, EveryMeasurementSeesTheResultItsWorkerStored) {
  test::ScriptedEchoService service;
  ScopedIcmpEcho scoped(service);
  for (std::int32_t mtu = 1400; mtu < 1500; mtu += 3) {
    service.pathMtu = mtu;
    ASSERT_EQ(MeasurePathMtu("127.0.0.1"), mtu);
  }
}

TEST(ProbeHandshake, TheWorkerSetsTheFlagAfterTheResultHoweverItEnds) {
  test::ScriptedEchoService service;
  ScopedIcmpEcho scoped(service);
  service.delay = std::chrono::milliseconds(1);
  {
    std::int32_t result = -1;
    platform::DoneFlag done;
    PathMtuWorker worker("127.0.0.1", result, done);
    worker.Start();
    done.WaitProcessingMessages();
    EXPECT_TRUE(done.IsSet());
    EXPECT_EQ(result, 1500);
  }
  service.createFileFails = true;
  {
    std::int32_t result = 1234;
    platform::DoneFlag done;
    PathMtuWorker worker("127.0.0.1", result, done);
    worker.Start();
    done.WaitProcessingMessages();
    EXPECT_EQ(result, -1);
  }
}

}  // namespace
}  // namespace velomar
