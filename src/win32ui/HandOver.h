#pragma once
// Work handed to a window's thread. Calls made on that thread run at once;
// from another thread a synchronous call is sent to the window and waits
// for it, so calls arrive in the order they were made and the result or the
// exception travels back; a posted piece of work is queued behind the
// messages already waiting. The queue owns what was posted: once the window
// is gone, whatever is still queued is dropped without running.
#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

namespace velomar::ui {

class HandOver {
 public:
  using Work = std::function<void()>;

  HandOver() = default;
  ~HandOver() { Detach(); }
  HandOver(const HandOver&) = delete;
  HandOver& operator=(const HandOver&) = delete;

  // From now on the work goes to `window`, which must pass its messages to
  // Handle; the calling thread is the window's thread.
  void Attach(HWND window);
  // The window goes: later calls run in place, posted work is dropped.
  void Detach();

  template <typename F>
  auto Call(F&& f) -> decltype(f());
  // False (and `work` dropped) when there is no window to run it.
  bool Post(Work work);

  // From the window procedure: true when `message` was a hand-over. A
  // synchronous call runs here; posted work is given to `run`.
  bool Handle(UINT message, LPARAM lParam, const std::function<void(const Work&)>& run);

 private:
  void Send(Work& job);

  HWND window_ = nullptr;
  DWORD thread_ = 0;
  std::mutex mutex_;
  std::deque<Work> posted_;
};

template <typename F>
auto HandOver::Call(F&& f) -> decltype(f()) {
  using R = decltype(f());
  if (!window_ || GetCurrentThreadId() == thread_) return f();
  std::exception_ptr failure;
  if constexpr (std::is_void_v<R>) {
    Work job = [&] {
      try {
        f();
      } catch (...) {
        failure = std::current_exception();
      }
    };
    Send(job);
    if (failure) std::rethrow_exception(failure);
  } else {
    std::optional<R> result;
    Work job = [&] {
      try {
        result = f();
      } catch (...) {
        failure = std::current_exception();
      }
    };
    Send(job);
    if (failure) std::rethrow_exception(failure);
    return result ? std::move(*result) : R{};
  }
}

}  // namespace velomar::ui
