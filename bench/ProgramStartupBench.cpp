// Time from process start until velomar.exe answers in its message loop
// with its main window shown (so painted, and the other three windows
// created, since the loop starts after both), against a bare Win32 window
// of one button measured the same way. Both are started with
// CreateProcess from the build tree's top folder; runs alternate; medians
// and their ratio are printed.
//   program_startup_bench [runs] [path\to\velomar.exe]
//   program_startup_bench --child   the bare window
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kBareClass = "VelomarProgramBenchBare";
constexpr const char* kMainClass = "TForm_Velomar_Main";

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RunBare() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kBareClass;
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, kBareClass, "Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 456, 514,
                                nullptr, nullptr, instance, nullptr);
  CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 260, 450, 75, 25, window, nullptr, instance,
                  nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

// Starts `command` in `folder` and returns the milliseconds until a shown
// window of `windowClass` answers a message; then closes it.
double TimeToAnswer(std::string command, const std::string& folder, const char* windowClass) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start %s\n", command.c_str());
    std::exit(1);
  }
  HWND window = nullptr;
  for (;;) {
    window = FindWindowA(windowClass, nullptr);
    if (window && IsWindowVisible(window)) break;
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "%s ended before it showed its window\n", command.c_str());
      std::exit(1);
    }
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
  const auto end = std::chrono::steady_clock::now();
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return std::chrono::duration<double, std::milli>(end - start).count();
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

void Print(const char* what, const std::vector<double>& times) {
  std::printf("  %-36s %8.1f ms (min %.1f, max %.1f)\n", what, Median(times),
              *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--child") return RunBare();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string program = argc > 2 ? argv[2] : FolderOf(FolderOf(self)) + "\\velomar.exe";
  // The language files are found under the current directory.
  const std::string folder = FolderOf(program);
  const std::string bare = "\"" + std::string(self) + "\" --child";
  const std::string velomar = "\"" + program + "\"";
  TimeToAnswer(bare, folder, kBareClass);  // warm the caches of the system and of Wine
  TimeToAnswer(velomar, folder, kMainClass);
  std::vector<double> bareTimes, programTimes;
  for (int run = 0; run < runs; ++run) {
    bareTimes.push_back(TimeToAnswer(bare, folder, kBareClass));
    programTimes.push_back(TimeToAnswer(velomar, folder, kMainClass));
  }
  std::printf("start to a shown window answering in its message loop, median of %d runs each (alternating)\n", runs);
  Print("bare Win32 window, one button:", bareTimes);
  Print("velomar.exe, all four windows:", programTimes);
  std::printf("  ratio velomar / bare:                %8.2f\n", Median(programTimes) / Median(bareTimes));
  return 0;
}
