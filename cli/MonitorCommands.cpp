// The traffic monitor command: the sampler behind the main window's graph,
// one reading a second.
#include <chrono>
#include <iostream>
#include <thread>

#include "Cli.h"
#include "monitor/TrafficSampler.h"

namespace velomar::cli {

namespace {

constexpr int kDefaultReadings = 10;

int MonitorCommand(Invocation& in) {
  int readings = kDefaultReadings;
  if (const auto seconds = in.TakeOption("--seconds")) {
    readings = ParseIntegerArgument(*seconds, "--seconds");
    if (readings < 1) throw UsageError("--seconds must be 1 or more");
  }
  in.Begin();
  TrafficSampler sampler;
  // Each reading is due a whole number of seconds after the first one, so
  // the time spent printing does not add up.
  auto due = std::chrono::steady_clock::now();
  for (int i = 0; i < readings; ++i) {
    due += std::chrono::seconds(1);
    std::this_thread::sleep_until(due);
    // Flushed: a script reads each line as it comes.
    in.Out() << sampler.GetNetSpeed() << std::endl;
  }
  return 0;
}

const Registrar kMonitorCommands({
    {"monitor", "monitor [--seconds N]",
     "one reading a second, N of them (default 10): the octets all interfaces received\n"
     "      in that second, halved as the traffic graph takes them",
     false, MonitorCommand},
});

}  // namespace

}  // namespace velomar::cli
