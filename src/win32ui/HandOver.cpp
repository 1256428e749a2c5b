#include "win32ui/HandOver.h"

namespace velomar::ui {

namespace {
constexpr UINT kCallMessage = WM_APP + 1;    // lParam: Work*, run in place and answered
constexpr UINT kPostedMessage = WM_APP + 2;  // one per queued piece of work
}  // namespace

void HandOver::Attach(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = window;
  thread_ = GetCurrentThreadId();
}

void HandOver::Detach() {
  std::deque<Work> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = nullptr;
    dropped.swap(posted_);
  }
  // Payloads are destroyed outside the lock: a destructor may post again.
}

void HandOver::Send(Work& job) { SendMessageW(window_, kCallMessage, 0, reinterpret_cast<LPARAM>(&job)); }

bool HandOver::Post(Work work) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!window_) return false;
  posted_.push_back(std::move(work));
  if (PostMessageW(window_, kPostedMessage, 0, 0)) return true;
  posted_.pop_back();
  return false;
}

bool HandOver::Handle(UINT message, LPARAM lParam, const std::function<void(const Work&)>& run) {
  if (message == kCallMessage) {
    (*reinterpret_cast<Work*>(lParam))();
    return true;
  }
  if (message != kPostedMessage) return false;
  Work work;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (posted_.empty()) return true;
    work = std::move(posted_.front());
    posted_.pop_front();
  }
  run(work);
  return true;
}

}  // namespace velomar::ui
