// Saves what the screen shows of the running program's main window once it
// has painted and its graph has drawn a few seconds of traffic, then closes
// the program. ./run uses it where there is no display to look at.
//   velomar_snapshot NAME [SECONDS]   saves build/screenshots/NAME.png
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/UiHarness.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: velomar_snapshot NAME [SECONDS]\n");
    return 2;
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 3;
  HWND main = nullptr;
  for (int waited = 0; waited < 60000; waited += 100) {
    main = FindWindowA("TForm_Velomar_Main", nullptr);
    if (main && IsWindowVisible(main)) break;
    main = nullptr;
    Sleep(100);
  }
  if (!main) {
    std::fprintf(stderr, "velomar.exe showed no main window within a minute\n");
    return 1;
  }
  // The program answers once its message loop runs, after the first paint.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  std::string error;
  const bool saved = velomar::uitest::SaveScreenshot(main, argv[1], error);
  PostMessageA(main, WM_CLOSE, 0, 0);
  if (!saved) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
