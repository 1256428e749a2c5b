// Whether Firefox runs with a profile, on systems other than Windows. While
// it runs, Firefox holds an fcntl lock on ".parentlock" in the profile and
// leaves a symbolic link "lock" whose target names its host and process:
// "address:+pid", the "+" saying that the fcntl lock is held as well
// (Firefox before that lock wrote "address:pid").
#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <signal.h>
#include <unistd.h>
#include <cerrno>

#include <optional>

#include "firefox/FirefoxProfiles.h"
#include "firefox/ProfileLock.h"
#include "util/Numbers.h"

namespace velomar {

namespace {

// Some other process holds an fcntl lock on the file. The lock ends with
// its process, so a file left behind by one that died is not locked.
bool LockedByAnotherProcess(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock query {};
  query.l_type = F_WRLCK;
  query.l_whence = SEEK_SET;
  const bool locked = ::fcntl(fd, F_GETLK, &query) == 0 && query.l_type != F_UNLCK;
  ::close(fd);
  return locked;
}

struct LockLink {
  std::string address;
  pid_t pid = 0;
  bool withFcntlLock = false;
};

// The target of the "lock" link, when it has Firefox's form.
std::optional<LockLink> ReadLockLink(const std::string& path) {
  char target[256];
  const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
  if (length <= 0 || length == static_cast<ssize_t>(sizeof target)) return std::nullopt;
  const std::string text(target, static_cast<std::size_t>(length));
  const auto colon = text.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  LockLink link;
  link.address = text.substr(0, colon);
  std::string process = text.substr(colon + 1);
  if (!process.empty() && process.front() == '+') {
    link.withFcntlLock = true;
    process.erase(0, 1);
  }
  if (process.empty() || process.front() < '0' || process.front() > '9') return std::nullopt;
  const auto pid = ParseInt32(process);
  if (!pid || *pid <= 0) return std::nullopt;
  link.pid = static_cast<pid_t>(*pid);
  return link;
}

// An address of this machine: loopback, or one of its interfaces.
bool IsThisHost(const std::string& address) {
  in_addr parsed{};
  if (::inet_pton(AF_INET, address.c_str(), &parsed) != 1) return false;
  if ((ntohl(parsed.s_addr) >> 24) == 127) return true;
  ifaddrs* interfaces = nullptr;
  if (::getifaddrs(&interfaces) != 0) return false;
  bool found = false;
  for (const ifaddrs* i = interfaces; i && !found; i = i->ifa_next)
    if (i->ifa_addr && i->ifa_addr->sa_family == AF_INET)
      found = reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr == parsed.s_addr;
  ::freeifaddrs(interfaces);
  return found;
}

bool ProcessAlive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

bool FirefoxRunsWithProfile(const std::string& directory) {
  if (LockedByAnotherProcess(FirefoxPath(directory, ".parentlock"))) return true;
  const auto link = ReadLockLink(FirefoxPath(directory, "lock"));
  if (!link) return false;
  // Its owner held the fcntl lock too, and nobody holds that now: the link
  // was left behind (as Firefox itself concludes, so a reused process
  // number cannot keep the profile locked).
  if (link->withFcntlLock) return false;
  // A Firefox of another machine sharing this folder cannot be asked.
  if (!IsThisHost(link->address)) return true;
  return ProcessAlive(link->pid);
}

}  // namespace velomar
