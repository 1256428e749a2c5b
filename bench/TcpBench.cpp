// The automatic TCP/IP pass's own cost: in-memory registry, the rows kept in
// memory, the pause a no-op, so what is measured is the pass without the 100 ms
// display ticks that pace it in the program.
#include <benchmark/benchmark.h>

#include "platform/Files.h"
#include "platform/MemoryRegistry.h"
#include "progress/PassProgress.h"
#include "registry/RegistryStore.h"
#include "tcp/TcpPasses.h"
#include "util/TextLines.h"

#include <unistd.h>
#include <cstdlib>
#include <string>

namespace {

using namespace velomar;

// The log kept as a window would keep it; the bar and the pause cost nothing.
class LogOnly : public PassProgress {
 public:
  void Status(std::string_view text) override { status_ = text; }
  void Advance(int) override {}
  void Row(const LogRow& row) override { rows_.push_back(row); }
  void Pause() override {}
  std::size_t RowCount() const { return rows_.size(); }

 private:
  std::string status_;
  std::vector<LogRow> rows_;
};

// A registry like a tuned XP machine's: every value present, three adapters.
void Seed(platform::MemoryRegistry& registry) {
  std::string text =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{A}]\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{B}]\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{C}]\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters]\n\"DefaultReceiveWindow\"=dword:"
      "00001000\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General]\n\"InternetMTU\"=dword:"
      "000005d4\n";
  std::string error;
  registry.LoadRegText(text, error);
}

void BM_AutoOptimizeTcp(benchmark::State& state) {
  char folder[] = "/tmp/velomar-bench-XXXXXX";
  if (!mkdtemp(folder)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string previous = platform::CurrentDirectory();
  platform::ChangeCurrentDirectory(folder);
  platform::MemoryRegistry registry;
  Seed(registry);
  ScopedRegistry scoped(registry);
  FixedPathMtu mtu(1492);
  std::size_t rows = 0;
  for (auto _ : state) {
    LogOnly log;
    AutoOptimizeTcp(10240, 4, log, mtu);
    rows = log.RowCount();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
  platform::ChangeCurrentDirectory(previous);
  platform::RemoveFile(std::string(folder) + "/RegBackUp.bk");
  rmdir(folder);
}
BENCHMARK(BM_AutoOptimizeTcp)->Unit(benchmark::kMicrosecond);

}  // namespace
