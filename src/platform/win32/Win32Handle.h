#pragma once
// A kernel handle (a file, an event) closed with its owner, on every path
// out of the code that took it.
#include <windows.h>

#include <utility>

namespace velomar::platform {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  // Takes what CreateFile or CreateEvent answered; their two ways of saying
  // "no handle" (INVALID_HANDLE_VALUE, nullptr) both make an empty owner.
  explicit UniqueHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Closes the handle now (a file before it is moved, say).
  void Reset() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace velomar::platform
