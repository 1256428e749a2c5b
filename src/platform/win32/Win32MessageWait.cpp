#include <windows.h>

#include "platform/MessageWait.h"
#include "platform/win32/Win32Handle.h"

namespace velomar::platform {

struct DoneFlag::Wake {
  UniqueHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

namespace {

// Handles one queued message; false when there is none, or when it is the
// quit request, which is left for the main message loop.
bool ProcessOneMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

}  // namespace

void ProcessPendingMessages() {
  while (ProcessOneMessage()) {
  }
}

void ProcessMessagesUntil(const std::function<bool()>& done) {
  // `done` is asked after every message: a timer's next tick is made as
  // soon as the queue is empty again, so draining the queue first could
  // take two ticks where the caller waits for one.
  while (!done()) {
    if (!ProcessOneMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
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
