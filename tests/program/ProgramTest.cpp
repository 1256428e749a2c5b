// velomar.exe as users get it: started from the unpacked package as a
// process of its own, driven through its windows from this one.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const char* kMainClass = "TForm_Velomar_Main";
constexpr const char* kAutomaticClass = "TForm_Velomar_AutoOptimize";

// Waits for a condition of another process's windows.
bool Poll(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
  return true;
}

std::string ProgramFolder() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  for (int up = 0; up < 3; ++up) folder = folder.substr(0, folder.find_last_of("\\/"));
  return folder + "\\unpacked\\" VELOMAR_PACKAGE_NAME;
}

// Windows XP as Wine names it for a program of this width (the 64-bit one
// is XP x64, version 5.2).
#ifdef _WIN64
constexpr const char* kWindowsXp = "winxp64";
#else
constexpr const char* kWindowsXp = "winxp";
#endif

// The version a Wine prefix reports to velomar.exe alone.
class ScopedWindowsVersion {
 public:
  explicit ScopedWindowsVersion(const char* version) {
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(strlen(version) + 1));
    RegCloseKey(key);
  }
  ~ScopedWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

 private:
  static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\velomar.exe";
};

// The enumeration callbacks are named CALLBACK functions: on 32-bit Windows
// they are stdcall, which the function pointer of a lambda is not.
struct ShownSearch {
  DWORD process;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectShown(HWND window, LPARAM param) {
  auto& s = *reinterpret_cast<ShownSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  if (owner == s.process && IsWindowVisible(window) && std::string(name) == s.className) s.found.push_back(window);
  return TRUE;
}

// The shown top-level windows of a process with the given class.
std::vector<HWND> ShownWindows(DWORD process, const char* className) {
  ShownSearch search{process, className, {}};
  EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct TextSearch {
  const char* text;
  HWND found;
};

BOOL CALLBACK FindText(HWND child, LPARAM param) {
  auto& s = *reinterpret_cast<TextSearch*>(param);
  char caption[256] = {};
  GetWindowTextA(child, caption, sizeof(caption));
  if (std::string(caption) == s.text) {
    s.found = child;
    return FALSE;
  }
  return TRUE;
}

HWND ChildWithText(HWND parent, const char* text) {
  TextSearch search{text, nullptr};
  EnumChildWindows(parent, FindText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::pair<int, int> SizeOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// One start of velomar.exe from the package's folder.
class Velomar {
 public:
  Velomar() {
    const std::string folder = ProgramFolder();
    std::string command = "\"" + folder + "\\velomar.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                              &process_);
  }
  ~Velomar() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 3);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool Started() const { return started_; }
  DWORD Id() const { return process_.dwProcessId; }
  // The exit code once the process has ended, or -1 after the time limit.
  long ExitCode(DWORD milliseconds = 30000) {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }
  bool Running() { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
  // The main window once it is shown and its message loop answers.
  HWND MainWindow() {
    HWND main = nullptr;
    Poll([&] {
      auto shown = ShownWindows(Id(), kMainClass);
      main = shown.empty() ? nullptr : shown[0];
      return main != nullptr || !Running();
    });
    DWORD_PTR ignored = 0;
    if (main) SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    return main;
  }
  std::vector<HWND> MessageBoxes() { return ShownWindows(Id(), "#32770"); }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

TEST(Program, OnXpItStartsWithEverythingEnabledAndEndsWithItsExitButton) {
  ScopedWindowsVersion xp(kWindowsXp);
  Velomar velomar;
  ASSERT_TRUE(velomar.Started());
  HWND main = velomar.MainWindow();
  ASSERT_NE(main, nullptr);
  char caption[64] = {};
  GetWindowTextA(main, caption, sizeof(caption));
  EXPECT_STREQ(caption, "Velomar");
  HWND ok = ChildWithText(main, "OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(IsWindowEnabled(ok));
  EXPECT_TRUE(velomar.MessageBoxes().empty());
  PostMessageA(ChildWithText(main, "Exit"), BM_CLICK, 0, 0);
  EXPECT_EQ(velomar.ExitCode(), 0);
}

TEST(Program, OnWindows10WithoutFirefoxItSaysOnceThatThereIsNothingToOptimize) {
  ScopedWindowsVersion win10("win10");
  Velomar velomar;
  ASSERT_TRUE(velomar.Started());
  std::vector<HWND> boxes;
  ASSERT_TRUE(Poll([&] { return !(boxes = velomar.MessageBoxes()).empty(); }));
  char text[512] = {};
  GetDlgItemTextA(boxes[0], 0xFFFF, text, sizeof(text));
  EXPECT_STREQ(text,
               "Firefox was not found, and this version of Windows needs no TCP/IP tuning: there is nothing to "
               "optimize.");
  PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
  HWND main = velomar.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindowEnabled(ChildWithText(main, "OK")));
  EXPECT_TRUE(IsWindowEnabled(ChildWithText(main, "Exit")));
  EXPECT_TRUE(velomar.MessageBoxes().empty());
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(velomar.ExitCode(), 0);
}

TEST(Program, ASecondStartBringsTheFirstToTheFrontAndEndsWithZero) {
  ScopedWindowsVersion xp(kWindowsXp);
  Velomar first;
  ASSERT_TRUE(first.Started());
  HWND main = first.MainWindow();
  ASSERT_NE(main, nullptr);

  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(Poll([&] { return IsIconic(main) != FALSE; }));
  {
    Velomar second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.ExitCode(), 0);
  }
  EXPECT_TRUE(Poll([&] { return !IsIconic(main) && GetForegroundWindow() == main; }));

  // With the automatic window open, that one comes to the front.
  PostMessageA(ChildWithText(main, "OK"), BM_CLICK, 0, 0);
  HWND automatic = nullptr;
  ASSERT_TRUE(Poll([&] {
    auto shown = ShownWindows(first.Id(), kAutomaticClass);
    automatic = shown.empty() ? nullptr : shown[0];
    return automatic != nullptr;
  }));
  EXPECT_EQ(SizeOf(main), (std::pair{0, 0}));
  HWND elsewhere = CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
  SetForegroundWindow(elsewhere);
  {
    Velomar second;
    EXPECT_EQ(second.ExitCode(), 0);
  }
  EXPECT_TRUE(Poll([&] { return GetForegroundWindow() == automatic; }));
  DestroyWindow(elsewhere);

  // Closed without optimising: the main window comes back at 447 x 522.
  PostMessageA(automatic, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Poll([&] { return SizeOf(main) == std::pair{447, 522}; }));
  EXPECT_TRUE(IsWindowVisible(main));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.ExitCode(), 0);
}

}  // namespace
