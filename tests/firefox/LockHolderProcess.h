#pragma once
// Starts firefox_lock_holder (built beside the test) on a profile folder and
// returns once it holds the lock; Release ends it and waits for it.
#include <string>

namespace velomar::test {

class LockHolderProcess {
 public:
  explicit LockHolderProcess(const std::string& profileFolder);
  ~LockHolderProcess();
  LockHolderProcess(const LockHolderProcess&) = delete;
  LockHolderProcess& operator=(const LockHolderProcess&) = delete;

  // True once the holder said it holds the lock.
  bool Holding() const { return holding_; }
  // Ends the holder; its lock files stay behind.
  void Release();

 private:
  bool holding_ = false;
#ifdef _WIN32
  void* process_ = nullptr;
  void* input_ = nullptr;  // the holder's standard input, written end
#else
  int pid_ = -1;
  int input_ = -1;
#endif
};

}  // namespace velomar::test
