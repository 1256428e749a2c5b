// Pacing of the automatic window's run: the real window on the real
// framework, a fixed path MTU and no Firefox profile, so that every row is
// a TCP/IP row on the window's thread. Each run's rows should take one
// display tick (100 ms) each, and the window's thread should sleep while it
// waits for the ticks. Beside it, the same run with a no-op pause (the
// display timer stopped, so a pause only drains the queue): the physical
// floor. Runs alternate; medians are printed. Under Wine the thread times
// have a resolution of 10 ms.
//   auto_pacing_bench [runs]      (default 5 of each)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/AutoOptimizeWindow.h"
#include "forms/AutoOptimizeForm.h"
#include "platform/MemoryRegistry.h"
#include "platform/System.h"
#include "registry/RegistryStore.h"
#include "util/DataFolder.h"
#include "win32ui/Application.h"

namespace {

using namespace velomar;

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

struct Figures {
  double wall = 0;  // seconds
  double cpu = 0;   // seconds of the window's thread
  int rows = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Adapters under Tcpip\Parameters\Adapters, so that the run has rows for them too.
void SeedAdapters(platform::MemoryRegistry& registry) {
  std::string error;
  registry.LoadRegText(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{A}]\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters\\{B}]\n",
      error);
}

Figures OneRun(AutoOptimizeForm& form, bool paced, int position = 6) {
  form.SetTimerEnabled(auto_window::kTimer, paced);
  // Moving the slider re-arms the button.
  form.SetPosition(auto_window::kTrackBar, 0);
  form.SetPosition(auto_window::kTrackBar, position);
  const double cpu0 = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  SendMessageA(form.ControlHandle(auto_window::kButton), BM_CLICK, 0, 0);
  const auto end = std::chrono::steady_clock::now();
  Figures f;
  f.cpu = ThreadCpuSeconds() - cpu0;
  f.wall = std::chrono::duration<double>(end - start).count();
  f.rows = form.RowCount(auto_window::kLog);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

  // The registry in memory; the Firefox folder found through it lies in an
  // empty folder, and the backups go to a folder of their own.
  platform::MemoryRegistry registry;
  ScopedRegistry scoped(registry);
  SeedAdapters(registry);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "velomar_pacing_bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetCurrentDirectoryA(folder.c_str());
  registry.Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true)
      ->SetValue("AppData", platform::RegValue::String(folder));
  std::string error;
  EnsurePerUserDataFolder(error);
  ui::SetMessageBoxHook([](const ui::MessageBoxRequest& box) {
    std::printf("message box: %s\n", box.text.c_str());
    return IDOK;
  });

  AutoOptimizeForm form(std::make_unique<FixedPathMtu>(1500));
  form.Create();
  form.SetVistaOrLater(false);
  form.Show();

  // The first run pays for what Wine and the controls set up once.
  OneRun(form, false);
  std::vector<double> pacedWall, pacedCpu, floorWall, floorCpu;
  int rows = 0;
  for (int i = 0; i < runs; ++i) {
    const Figures paced = OneRun(form, true);
    const Figures floor = OneRun(form, false);
    rows = paced.rows;
    std::printf("  run %d: paced %.3f s (%d rows), floor %.3f s (%d rows)\n", i + 1, paced.wall, paced.rows, floor.wall,
                floor.rows);
    pacedWall.push_back(paced.wall);
    pacedCpu.push_back(paced.cpu);
    floorWall.push_back(floor.wall);
    floorCpu.push_back(floor.cpu);
  }

  const double expected = rows * 0.1;
  const double paced = Median(pacedWall), floor = Median(floorWall);
  const double pacedCpuMs = Median(pacedCpu) * 1e3, floorCpuMs = Median(floorCpu) * 1e3;
  std::printf("automatic window, TCP/IP run of %d rows, %d runs of each (medians)\n", rows, runs);
  std::printf("  paced by the display tick: %7.3f s, window thread cpu %6.1f ms\n", paced, pacedCpuMs);
  std::printf("  no-op pause (floor):       %7.3f s, window thread cpu %6.1f ms\n", floor, floorCpuMs);
  std::printf("  pacing: %.3f s for %d rows x 100 ms = %.3f s (%+.1f%%)\n", paced, rows, expected,
              100.0 * (paced - expected) / expected);
  // What the waits cost beyond the rows' own work, as a share of one core.
  std::printf("  waiting: %.1f ms of cpu beyond the floor's over %.3f s = %.2f%% of one core\n",
              pacedCpuMs - floorCpuMs, paced, (pacedCpuMs - floorCpuMs) / (paced * 10.0));
  form.Hide();
  return 0;
}
