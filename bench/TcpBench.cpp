// The automatic TCP/IP pass's own cost: in-memory registry, in-memory window,
// the pause a no-op, so what is measured is the pass without the 100 ms
// display ticks that pace it in the program.
#include <benchmark/benchmark.h>

#include "platform/Files.h"
#include "platform/MemoryRegistry.h"
#include "registry/Unit_RegOperation.h"
#include "tcp/Unit_TcpOptimize.h"
#include "util/TextLines.h"
#include "window/MemoryWindow.h"
#include "window/PassView.h"

#include <unistd.h>
#include <cstdlib>
#include <string>

namespace {

using namespace velomar;

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
    MemoryWindow window;
    window.SetRange(pass_controls::kAutomatic.progress, 0, 110);
    AutoOptimizeTcp(10240, 4, window, mtu);
    rows = static_cast<std::size_t>(window.RowCount(pass_controls::kAutomatic.log));
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
  platform::ChangeCurrentDirectory(previous);
  platform::RemoveFile(std::string(folder) + "/RegBackUp.bk");
  rmdir(folder);
}
BENCHMARK(BM_AutoOptimizeTcp)->Unit(benchmark::kMicrosecond);

}  // namespace
