#include "LockHolderProcess.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <limits.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace velomar::test {

namespace {

// The holder is built into the folder of this test program.
std::string HolderPath() {
#ifdef _WIN32
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
#else
  char self[PATH_MAX] = {};
  if (::readlink("/proc/self/exe", self, sizeof self - 1) < 0) return VELOMAR_LOCK_HOLDER;
#endif
  std::string path = self;
  return path.substr(0, path.find_last_of("\\/") + 1) + VELOMAR_LOCK_HOLDER;
}

}  // namespace

#ifdef _WIN32

LockHolderProcess::LockHolderProcess(const std::string& profileFolder) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
  if (!CreatePipe(&inRead, &inWrite, &inherit, 0)) return;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
    CloseHandle(inRead);
    CloseHandle(inWrite);
    return;
  }
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inRead;
  startup.hStdOutput = outWrite;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  std::string command = "\"";
  command.append(HolderPath()).append("\" \"").append(profileFolder).append("\"");
  const bool started =
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
  CloseHandle(inRead);
  CloseHandle(outWrite);
  if (!started) {
    CloseHandle(inWrite);
    CloseHandle(outRead);
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  input_ = inWrite;
  char said[6] = {};
  DWORD read = 0;
  holding_ = ReadFile(outRead, said, 5, &read, nullptr) && read == 5 && std::string(said) == "ready";
  CloseHandle(outRead);
}

void LockHolderProcess::Release() {
  if (input_) CloseHandle(static_cast<HANDLE>(input_));
  input_ = nullptr;
  if (process_) {
    WaitForSingleObject(static_cast<HANDLE>(process_), INFINITE);
    CloseHandle(static_cast<HANDLE>(process_));
  }
  process_ = nullptr;
  holding_ = false;
}

#else

LockHolderProcess::LockHolderProcess(const std::string& profileFolder) {
  int in[2], out[2];
  if (::pipe(in) != 0) return;
  if (::pipe(out) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return;
  }
  const std::string holder = HolderPath();
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::close(in[0]);
    ::close(in[1]);
    ::close(out[0]);
    ::close(out[1]);
    ::execl(holder.c_str(), holder.c_str(), profileFolder.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  input_ = in[1];
  char said[6] = {};
  std::size_t got = 0;
  while (pid_ > 0 && got < 5) {
    const ssize_t n = ::read(out[0], said + got, 5 - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(out[0]);
  holding_ = got == 5 && std::string(said) == "ready";
}

void LockHolderProcess::Release() {
  if (input_ >= 0) ::close(input_);
  input_ = -1;
  if (pid_ > 0) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  pid_ = -1;
  holding_ = false;
}

#endif

LockHolderProcess::~LockHolderProcess() { Release(); }

}  // namespace velomar::test
