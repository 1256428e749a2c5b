// One second of the traffic graph, side by side: the sampler's reading of
// the system's interface table (/proc/net/dev here) and the frame the
// graph computes from it.
#include <benchmark/benchmark.h>

#include "monitor/TrafficSampler.h"
#include "monitor/UsageGraph.h"

namespace {

using namespace velomar;

void BM_SamplerReading(benchmark::State& state) {
  TrafficSampler sampler;
  for (auto _ : state) benchmark::DoNotOptimize(sampler.GetNetSpeed());
}
BENCHMARK(BM_SamplerReading);

// A full history of varied samples, so the line and labels are all drawn.
void BM_GraphFrame(benchmark::State& state) {
  UsageGraph graph;
  graph.FirstFrame();
  std::uint32_t reading = 1;
  for (auto _ : state) {
    reading = reading * 1103515245u + 12345u;
    benchmark::DoNotOptimize(graph.Tick(reading >> 8));
  }
}
BENCHMARK(BM_GraphFrame);

}  // namespace
