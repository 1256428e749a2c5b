// Time from process start to the first painted window: a window of about
// 60 components made by the framework against a bare Win32 window with one
// button. Both are this program started again with CreateProcess (so they
// start the same way); each child signals an event once its window and all
// its controls have painted, then exits. Runs alternate; medians and their
// ratio are printed, and the ratio of the fastest runs, which a machine busy
// with other work disturbs least. Given another build of this program
// (another commit's), its framework window is measured in the same runs.
//   startup_bench [runs] [path\to\other\startup_bench.exe]
//                                 the measurement (default 25 runs of each)
//   startup_bench --child MODE E  a child: MODE full or bare, E the event name
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BareWindow.h"
#include "forms/VelomarLook.h"
#include "win32ui/Form.h"
#include "window/Layout.h"

namespace {

using velomar::Component;
using velomar::ComponentKind;
using velomar::FormLayout;

// Sixty components in the mix the program's windows use.
FormLayout SixtyComponentLayout() {
  FormLayout f;
  f.className = "VelomarBenchFull";
  f.caption = "Startup bench";
  f.clientWidth = 640;
  f.clientHeight = 480;
  f.components.push_back({.name = "Panel_Back",
                          .kind = ComponentKind::Panel,
                          .x = 0,
                          .y = 0,
                          .width = 640,
                          .height = 480,
                          .color = velomar::Rgb(230, 230, 230)});
  f.components.push_back({.name = "Image_Icon",
                          .kind = ComponentKind::Image,
                          .parent = "Panel_Back",
                          .x = 8,
                          .y = 8,
                          .width = 64,
                          .height = 64,
                          .picture = "Program",
                          .stretch = true});
  f.components.push_back({.name = "ListView_Log",
                          .kind = ComponentKind::ListView,
                          .parent = "Panel_Back",
                          .x = 8,
                          .y = 330,
                          .width = 620,
                          .height = 140,
                          .columns = {"Name", "Old Value", "New Value"}});
  f.components.push_back({.name = "TrackBar_BandWidth",
                          .kind = ComponentKind::TrackBar,
                          .parent = "Panel_Back",
                          .x = 80,
                          .y = 8,
                          .width = 400,
                          .height = 33});
  f.components.push_back({.name = "ProgressBar_Optimize",
                          .kind = ComponentKind::ProgressBar,
                          .parent = "Panel_Back",
                          .x = 80,
                          .y = 48,
                          .width = 400,
                          .height = 16,
                          .maximum = 110});
  for (int g = 0; g < 3; ++g) {
    const std::string group = "GroupBox_" + std::to_string(g);
    f.components.push_back({.name = group,
                            .kind = ComponentKind::GroupBox,
                            .parent = "Panel_Back",
                            .x = 8 + g * 208,
                            .y = 76,
                            .width = 200,
                            .height = 248,
                            .caption = group,
                            .bold = true});
    for (int i = 0; i < 6; ++i) {
      const std::string n = std::to_string(g) + "_" + std::to_string(i);
      const int y = 20 + i * 37;
      f.components.push_back({.name = "Label_" + n,
                              .kind = ComponentKind::Label,
                              .parent = group,
                              .x = 8,
                              .y = y,
                              .caption = "Setting " + n});
      if (i % 3 == 0)
        f.components.push_back({.name = "Edit_" + n,
                                .kind = ComponentKind::Edit,
                                .parent = group,
                                .x = 100,
                                .y = y,
                                .width = 90,
                                .height = 21,
                                .caption = "1500"});
      else if (i % 3 == 1)
        f.components.push_back({.name = "ComboBox_" + n,
                                .kind = ComponentKind::ComboBox,
                                .parent = group,
                                .x = 100,
                                .y = y,
                                .width = 90,
                                .items = {"System default", "Yes", "No"}});
      else
        f.components.push_back({.name = "CheckBox_" + n,
                                .kind = ComponentKind::CheckBox,
                                .parent = group,
                                .x = 100,
                                .y = y,
                                .width = 90,
                                .height = 17,
                                .caption = "On"});
    }
  }
  f.components.push_back({.name = "Button_Go",
                          .kind = ComponentKind::Button,
                          .parent = "Panel_Back",
                          .x = 500,
                          .y = 8,
                          .width = 75,
                          .height = 25,
                          .caption = "Go"});
  while (f.components.size() < 60) {
    const std::string n = std::to_string(f.components.size());
    f.components.push_back({.name = "Label_Hidden" + n,
                            .kind = ComponentKind::Label,
                            .parent = "Panel_Back",
                            .x = 700,
                            .y = 0,
                            .caption = "message " + n,
                            .hidden = true});
  }
  return f;
}

void PaintEverything(HWND window) {
  ShowWindow(window, SW_SHOW);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int RunFull(HANDLE painted) {
  velomar::ui::Form form(SixtyComponentLayout(), velomar::VelomarLook());
  form.Create();
  PaintEverything(form.Handle());
  SetEvent(painted);
  return form.Components().size() >= 60 ? 0 : 1;
}

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RunBare(HANDLE painted) {
  HWND window =
      velomar::bench::MakeBareWindow("VelomarBenchBare", BareProc, "Startup bench", {640, 480}, {500, 8, 575, 33});
  PaintEverything(window);
  SetEvent(painted);
  return 0;
}

double RunChild(const std::string& program, const char* mode, int run) {
  const std::string event =
      "VelomarStartupBench_" + std::to_string(GetCurrentProcessId()) + "_" + mode + "_" + std::to_string(run);
  HANDLE painted = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
  std::string command = "\"" + program + "\" --child " + mode + " " + event;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", command.c_str());
    std::exit(1);
  }
  HANDLE waits[2] = {painted, process.hProcess};
  const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 60000);
  const auto end = std::chrono::steady_clock::now();
  if (woke != WAIT_OBJECT_0) {
    std::fprintf(stderr, "the %s child ended or hung before painting\n", mode);
    std::exit(1);
  }
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(painted);
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintFramework(const char* build, const std::vector<double>& full, const std::vector<double>& bare) {
  const double fullMedian = Median(full), bareMedian = Median(bare);
  std::printf("  framework window%s, %d components: %8.1f ms (min %.1f, max %.1f)\n", build,
              static_cast<int>(SixtyComponentLayout().components.size()), fullMedian,
              *std::min_element(full.begin(), full.end()), *std::max_element(full.begin(), full.end()));
  std::printf("  ratio framework%s / bare:          %8.2f (medians)\n", build, fullMedian / bareMedian);
  std::printf("  ratio framework%s / bare, fastest: %8.2f\n", build,
              *std::min_element(full.begin(), full.end()) / *std::min_element(bare.begin(), bare.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--child") {
    HANDLE painted = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!painted) return 2;
    return std::string(argv[2]) == "full" ? RunFull(painted) : RunBare(painted);
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string other = argc > 2 ? argv[2] : "";
  RunChild(self, "bare", -1);  // warm the caches of the system and of Wine
  RunChild(self, "full", -1);
  if (!other.empty()) RunChild(other, "full", -1);
  std::vector<double> full, otherFull, bare;
  for (int run = 0; run < runs; ++run) {
    bare.push_back(RunChild(self, "bare", run));
    full.push_back(RunChild(self, "full", run));
    if (!other.empty()) otherFull.push_back(RunChild(other, "full", run));
  }
  std::printf("startup to first paint, median of %d runs each (alternating)\n", runs);
  std::printf("  bare Win32 window, one button:     %8.1f ms (min %.1f, max %.1f)\n", Median(bare),
              *std::min_element(bare.begin(), bare.end()), *std::max_element(bare.begin(), bare.end()));
  if (other.empty()) {
    PrintFramework("", full, bare);
    return 0;
  }
  std::printf("B: %s\n", other.c_str());
  PrintFramework(" A", full, bare);
  PrintFramework(" B", otherFull, bare);
  return 0;
}
