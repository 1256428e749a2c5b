// velomar.exe: one instance per desktop; the four windows, then the
// message loop until the main window closes.
#include <windows.h>

#include <memory>

#include "app/HelpPage.h"
#include "forms/AutoOptimizeForm.h"
#include "forms/CustomOptimizeForm.h"
#include "forms/MainForm.h"
#include "forms/RecoverForm.h"
#include "lang/Translator.h"
#include "platform/win32/Win32Text.h"
#include "win32ui/Application.h"

namespace {

constexpr const wchar_t* kInstanceMutex = L"_Tandrel_Velomar_";

// A second start hands over to the running program and ends.
void ActivateRunningInstance() {
  HWND running = FindWindowW(velomar::platform::Utf8ToWide(velomar::main_window::kClassName).c_str(), nullptr);
  if (!running) return;
  // The first instance may bring its windows to the front only with leave
  // from the process that has the foreground, which is this one.
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  AllowSetForegroundWindow(process);
  SendMessageW(running, velomar::main_window::kRestoreInstanceMessage, 0, 0);
  ShowWindow(running, SW_RESTORE);
}

int RunMessageLoop(HWND main) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got < 0) return 1;
    if (IsDialogMessageW(main, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// The windows OK leads to, in the order they are made.
struct ModeWindows {
  velomar::AutoOptimizeForm automatic;
  velomar::RecoverForm recover;
  velomar::CustomOptimizeForm custom{recover};
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Held, unreleased, until the process ends.
  CreateMutexW(nullptr, TRUE, kInstanceMutex);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    ActivateRunningInstance();
    return 0;
  }
  // Declared before the main window, so that they outlive it as they did
  // when they were made first.
  std::unique_ptr<ModeWindows> modes;
  velomar::MainForm main;

  main.Create();
  // The main window made the data folder where the language is looked up.
  velomar::ui::SetHelpPage(velomar::HelpPageFor(velomar::ui::ProgramFolder(), velomar::ReadLanguageName()));
  main.Show();
  // The controls too, now rather than once the queue is empty.
  RedrawWindow(main.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // The other three windows are made, objects and all, by the first
  // message the loop takes: building their tables of components is work
  // the first paint need not wait for. Posted messages come before input,
  // so the windows exist and their creation handlers have all run before a
  // click can reach OK.
  main.Post([&] {
    modes = std::make_unique<ModeWindows>();
    main.SetModeWindows(modes->automatic, modes->custom);
    modes->automatic.Create();
    modes->recover.Create();
    modes->custom.Create();
  });
  return RunMessageLoop(main.Handle());
}
