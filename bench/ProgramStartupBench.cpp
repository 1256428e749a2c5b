// Time from process start until velomar.exe's main window has painted,
// against a bare Win32 window of one button measured the same way: until
// the shown window answers a message, which its thread takes only once it
// waits in its message loop, after painting. Also until the last of the
// program's four windows answers, which it does once every creation
// handler has run. Each program is started with CreateProcess from its own
// folder; runs alternate; medians and ratios are printed. Given several
// builds of velomar.exe (another commit's beside this one), it measures
// them in turn within each run, so that their figures come from the same
// machine in the same state.
// Run it where the program shows no message at start: Windows XP, or a
// later Windows with a Firefox profile (under Wine: the prefix of ./run).
//   program_startup_bench [runs] [path\to\velomar.exe...]
//   program_startup_bench --child   the bare window
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BareWindow.h"

namespace {

constexpr const char* kBareClass = "VelomarProgramBenchBare";
constexpr const char* kMainClass = "TForm_Velomar_Main";
constexpr const char* kLastClass = "TForm_Velomar_Custom";

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RunBare() {
  HWND window = velomar::bench::MakeBareWindow(kBareClass, BareProc, "Bare", {456, 514}, {260, 450, 335, 475});
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

struct Times {
  double painted = 0;
  double allCreated = 0;
};

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Waits for a window of `windowClass` (shown, if asked) and for its thread
// to answer.
HWND AnsweringWindow(const char* windowClass, bool shown, HANDLE process, const std::string& command,
                     std::chrono::steady_clock::time_point start) {
  HWND window = nullptr;
  for (;;) {
    window = FindWindowA(windowClass, nullptr);
    if (window && (!shown || IsWindowVisible(window))) break;
    if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "%s ended before it showed its window\n", command.c_str());
      std::exit(1);
    }
    if (std::chrono::steady_clock::now() - start > std::chrono::minutes(1)) {
      // On a later Windows without Firefox the program first shows a message.
      std::fprintf(stderr, "%s showed no window within a minute (a message box waiting?)\n", command.c_str());
      TerminateProcess(process, 1);
      std::exit(1);
    }
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
  return window;
}

// Starts `command` in `folder`, times its windows, then closes it.
Times Measure(std::string command, const std::string& folder, const char* mainClass, const char* lastClass) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start %s\n", command.c_str());
    std::exit(1);
  }
  Times times;
  HWND main = AnsweringWindow(mainClass, true, process.hProcess, command, start);
  times.painted = Since(start);
  if (lastClass) AnsweringWindow(lastClass, false, process.hProcess, command, start);
  times.allCreated = Since(start);
  PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return times;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string Quoted(const std::string& path) {
  std::string quoted;
  quoted.reserve(path.size() + 2);
  quoted.append(1, '"').append(path).append(1, '"');
  return quoted;
}

void Print(const std::string& what, const std::vector<double>& times) {
  std::printf("  %-36s %8.1f ms (min %.1f, max %.1f)\n", what.c_str(), Median(times),
              *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
}

struct Program {
  std::string path;
  std::vector<double> painted, allCreated;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--child") return RunBare();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) programs.push_back({argv[i], {}, {}});
  if (programs.empty()) programs.push_back({FolderOf(FolderOf(self)) + "\\velomar.exe", {}, {}});
  // Each program finds its language files under its own folder.
  auto measure = [](const Program& program) {
    return Measure(Quoted(program.path), FolderOf(program.path), kMainClass, kLastClass);
  };
  const std::string bare = Quoted(self) + " --child";
  const std::string bareFolder = FolderOf(programs.front().path);
  Measure(bare, bareFolder, kBareClass, nullptr);  // warm the caches of the system and of Wine
  for (const Program& program : programs) measure(program);
  std::vector<double> bareTimes;
  for (int run = 0; run < runs; ++run) {
    bareTimes.push_back(Measure(bare, bareFolder, kBareClass, nullptr).painted);
    for (Program& program : programs) {
      const Times times = measure(program);
      program.painted.push_back(times.painted);
      program.allCreated.push_back(times.allCreated);
    }
  }
  std::printf("start to first paint, median of %d runs each (alternating)\n", runs);
  Print("bare Win32 window, one button:", bareTimes);
  // One program keeps the plain names; several are lettered in the order
  // given (letters, so that tools/startup-bench finds the figures after them).
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const Program& program = programs[i];
    const std::string letter = programs.size() == 1 ? "" : std::string(" ") + static_cast<char>('A' + i);
    const std::string name = "velomar.exe" + letter;
    const std::string ratioName = "velomar" + letter;
    if (programs.size() > 1) std::printf("%s: %s\n", name.c_str(), program.path.c_str());
    Print(name + ", main window painted:", program.painted);
    Print(name + ", all four windows made:", program.allCreated);
    std::printf("  %-38s %8.2f\n", ("ratio first paint, " + ratioName + " / bare:").c_str(),
                Median(program.painted) / Median(bareTimes));
    std::printf("  %-38s %8.2f\n", ("ratio all four made, " + ratioName + " / bare:").c_str(),
                Median(program.allCreated) / Median(bareTimes));
  }
  return 0;
}
