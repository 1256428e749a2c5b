// Holds a profile's lock as a running Firefox does, until its standard
// input ends: usage: firefox_lock_holder PROFILE_FOLDER. It writes "ready"
// once the lock is held, and leaves the lock files behind when it ends, as
// a Firefox that was killed would.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = argv[1];
#ifdef _WIN32
  // Open without sharing for as long as the process lives.
  HANDLE lock = CreateFileA((folder + "\\parent.lock").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock == INVALID_HANDLE_VALUE) return 1;
#else
  const int fd = ::open((folder + "/.parentlock").c_str(), O_RDWR | O_CREAT, 0644);
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  if (fd < 0 || ::fcntl(fd, F_SETLK, &whole) != 0) return 1;
  const std::string link = folder + "/lock";
  ::unlink(link.c_str());
  const std::string target = "127.0.0.1:+" + std::to_string(::getpid());
  if (::symlink(target.c_str(), link.c_str()) != 0) return 1;
#endif
  std::fputs("ready\n", stdout);
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  return 0;
}
