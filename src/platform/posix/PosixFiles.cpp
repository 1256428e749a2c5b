#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/Files.h"

namespace velomar::platform {

namespace {

std::string Describe(const std::string& what, const std::string& path) {
  return what + " \"" + path + "\": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectoryTree(const std::string& path) {
  if (WritesHeld()) return true;
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  std::string prefix;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      prefix = path.substr(0, i);
      if (!prefix.empty() && !DirectoryExists(prefix) && ::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
        return false;
    }
  }
  return DirectoryExists(path);
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    error = Describe("Cannot open", path);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = "Not a readable file: \"" + path + "\"";
    ::close(fd);
    return false;
  }
  if (static_cast<std::uint64_t>(st.st_size) > kMaxReadableFile) {
    error = "File too large: \"" + path + "\"";
    ::close(fd);
    return false;
  }
  std::string data;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = Describe("Cannot read", path);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
    if (data.size() > kMaxReadableFile) {
      error = "File too large: \"" + path + "\"";
      ::close(fd);
      return false;
    }
  }
  ::close(fd);
  contents.swap(data);
  return true;
}

bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error) {
  if (WritesHeld()) return true;
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = Describe("Cannot write", path);
    return false;
  }
  bool ok = WriteAll(fd, contents) && ::fsync(fd) == 0;
  if (!ok) error = Describe("Cannot write", path);
  // Keep the mode of the file being replaced, or the usual one for a new file.
  struct stat st {};
  const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (ok && ::fchmod(fd, mode) != 0) {
    error = Describe("Cannot write", path);
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    error = Describe("Cannot write", path);
    ok = false;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    error = Describe("Cannot replace", path);
    ok = false;
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool RemoveFile(const std::string& path) { return WritesHeld() || ::unlink(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to, std::string& error) {
  if (WritesHeld()) return true;
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) {
    error = "Cannot rename \"" + from + "\": \"" + to + "\" exists";
    return false;
  }
  if (::rename(from.c_str(), to.c_str()) != 0) {
    error = Describe("Cannot rename", from);
    return false;
  }
  return true;
}

std::string CurrentDirectory() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool ChangeCurrentDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

char PathSeparator() { return '/'; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

}  // namespace velomar::platform
