// What the main window uses of the system: the Windows version, Firefox,
// the two restores of the recover link and the traffic counters.
#include "app/MainWindow.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "monitor/TrafficSampler.h"
#include "monitor/UsageGraph.h"
#include "platform/System.h"
#include "tcp/TcpPasses.h"

namespace velomar {

namespace {

// The sampler measures from its construction, which is the window's.
class LiveTrafficGraph : public TrafficGraphSource {
 public:
  Drawing FirstFrame() override { return graph_.FirstFrame(); }
  Drawing NextFrame() override { return graph_.Tick(sampler_.GetNetSpeed()); }

 private:
  TrafficSampler sampler_;
  UsageGraph graph_;
};

}  // namespace

MainWindowServices SystemMainWindowServices() {
  return {
      .windowsMajorVersion = [] { return platform::WindowsMajorVersion(); },
      .firefoxInstalled = [] { return IsFirefoxInstalled(); },
      .restoreTcpDefaults = [] { return RestoreTcpDefaults(); },
      .clearUserPrefsFile =
          [] {
            FirefoxReport report;
            ClearUserPrefsFile(&report);
            return report;
          },
      .startTrafficGraph = []() -> std::unique_ptr<TrafficGraphSource> { return std::make_unique<LiveTrafficGraph>(); },
      .setBorder = {},
  };
}

}  // namespace velomar
