// The path MTU probe against the scripted echo service: what one search
// costs beyond its echoes, and what the waiting caller's thread spends
// while a slow service answers (it should sleep, not spin).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <chrono>

#include "ScriptedEchoService.h"
#include "mtu/EchoRequester.h"
#include "mtu/PathMtuSearch.h"

namespace {

using namespace velomar;
using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The whole probe: worker thread, one ping component per attempt, the
// hand-shake, for a 1500-byte path.
void BM_MeasurePathMtu1500(benchmark::State& state) {
  std::int64_t echoes = 0;
  for (auto _ : state) {
    test::ScriptedEchoService service;
    ScopedIcmpEcho scoped(service);
    const auto mtu = MeasurePathMtu("127.0.0.1");
    if (mtu != 1500) state.SkipWithError("wrong path MTU");
    echoes = static_cast<std::int64_t>(service.Sizes().size());
  }
  state.counters["echoes"] = static_cast<double>(echoes);
}
BENCHMARK(BM_MeasurePathMtu1500)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The size search alone over the same answers: side by side with the
// above it shows what the thread and the components add.
void BM_SearchAlone1500(benchmark::State& state) {
  std::int64_t echoes = 0;
  for (auto _ : state) {
    echoes = 0;
    const auto mtu = SearchPathMtu([&](std::int32_t size) {
      ++echoes;
      return ProbeAnswer{size + 28 <= 1500 ? platform::kIpSuccess : platform::kIpPacketTooBig, 1};
    });
    benchmark::DoNotOptimize(mtu);
  }
  state.counters["echoes"] = static_cast<double>(echoes);
}
BENCHMARK(BM_SearchAlone1500)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A service that takes 20 ms per echo: 14 echoes, about 280 ms of waiting.
// caller_cpu_share is the waiting thread's processor time over the wall
// time (1.0 would be a busy core).
void BM_WaitingCallerCpu(benchmark::State& state) {
  double callerCpu = 0, processCpu = 0, wall = 0;
  for (auto _ : state) {
    test::ScriptedEchoService service;
    service.delay = std::chrono::milliseconds(20);
    ScopedIcmpEcho scoped(service);
    const double cpu0 = ThreadCpuSeconds();
    const double process0 = ProcessCpuSeconds();
    const auto start = Clock::now();
    benchmark::DoNotOptimize(MeasurePathMtu("127.0.0.1"));
    wall += std::chrono::duration<double>(Clock::now() - start).count();
    callerCpu += ThreadCpuSeconds() - cpu0;
    processCpu += ProcessCpuSeconds() - process0;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["wall_ms"] = wall / n * 1e3;
  state.counters["caller_cpu_ms"] = callerCpu / n * 1e3;
  state.counters["process_cpu_ms"] = processCpu / n * 1e3;
  state.counters["caller_cpu_share"] = callerCpu / wall;
}
BENCHMARK(BM_WaitingCallerCpu)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
