#pragma once
// Waiting on the user-interface thread without blocking the window: the
// waits here handle the calling thread's window messages as they arrive
// and sleep otherwise (no spinning). On systems without window messages
// they simply wait.
#include <atomic>
#include <functional>
#include <memory>

namespace velomar::platform {

// Dispatches the window messages already queued for the calling thread.
void ProcessPendingMessages();

// Handles messages until `done` holds, sleeping between arrivals. `done` is
// checked after each message (a timer tick is a message).
void ProcessMessagesUntil(const std::function<bool()>& done);

// The hand-shake between a worker and the thread that waits for it: the
// worker writes its result and then calls Set (release order); the waiter
// sees the result once IsSet is true (acquire order).
class DoneFlag {
 public:
  DoneFlag();
  ~DoneFlag();
  DoneFlag(const DoneFlag&) = delete;
  DoneFlag& operator=(const DoneFlag&) = delete;

  void Set() noexcept;
  bool IsSet() const noexcept;
  // Returns once Set was called, handling window messages meanwhile.
  void WaitProcessingMessages();

 private:
  std::atomic<int> flag_{0};
  struct Wake;
  std::unique_ptr<Wake> wake_;
};

}  // namespace velomar::platform
