#include <windows.h>

#include "platform/MessageWait.h"
#include "platform/win32/Win32Handle.h"

namespace velomar::platform {

struct DoneFlag::Wake {
  UniqueHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit request for the main message loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void ProcessMessagesUntil(const std::function<bool()>& done) {
  ProcessPendingMessages();
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    ProcessPendingMessages();
  }
}

DoneFlag::DoneFlag() : wake_(std::make_unique<Wake>()) {}
DoneFlag::~DoneFlag() = default;

void DoneFlag::Set() noexcept {
  flag_.store(1, std::memory_order_release);
  SetEvent(wake_->event.Get());
}

bool DoneFlag::IsSet() const noexcept { return flag_.load(std::memory_order_acquire) != 0; }

void DoneFlag::WaitProcessingMessages() {
  ProcessPendingMessages();
  while (!IsSet()) {
    // Wakes for the worker's event or for any message, whichever comes first.
    const HANDLE event = wake_->event.Get();
    MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT);
    ProcessPendingMessages();
  }
}

}  // namespace velomar::platform
