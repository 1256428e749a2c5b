#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/MessageWait.h"

namespace velomar::platform {

struct DoneFlag::Wake {
  std::mutex mutex;
  std::condition_variable changed;
};

void ProcessPendingMessages() {}

void ProcessMessagesUntil(const std::function<bool()>& done) {
  // No window messages here: whatever makes `done` true runs elsewhere.
  while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

DoneFlag::DoneFlag() : wake_(std::make_unique<Wake>()) {}
DoneFlag::~DoneFlag() = default;

void DoneFlag::Set() noexcept {
  {
    std::lock_guard<std::mutex> lock(wake_->mutex);
    flag_.store(1, std::memory_order_release);
  }
  wake_->changed.notify_all();
}

bool DoneFlag::IsSet() const noexcept { return flag_.load(std::memory_order_acquire) != 0; }

void DoneFlag::WaitProcessingMessages() {
  std::unique_lock<std::mutex> lock(wake_->mutex);
  wake_->changed.wait(lock, [this] { return IsSet(); });
}

}  // namespace velomar::platform
