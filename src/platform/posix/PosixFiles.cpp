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

std::string Describe(const std::string& what, const std::string& path, int code) {
  return what + " \"" + path + "\": " + std::strerror(code);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The folder takes new files: a temporary one is made and removed again.
// 0, or the reason (an errno value) why not.
int WhyFolderTakesNoFiles(const std::string& folder) {
  if (FolderWouldBeMade(folder)) return 0;
  std::string probe = folder + "/.velomar-XXXXXX";
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return errno;
  ::close(fd);
  ::unlink(probe.c_str());
  return 0;
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
  if (path.empty()) return false;
  if (DirectoryExists(path) || (WritesHeld() && FolderWouldBeMade(path))) return true;
  bool insideMadeFolder = false;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '/') continue;
    const std::string prefix = path.substr(0, i);
    if (prefix.empty() || DirectoryExists(prefix)) continue;
    if (!WritesHeld()) {
      if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
      continue;
    }
    // A dry run makes the first missing folder and removes it again; the
    // ones inside it would be made in a folder of its own.
    if (!insideMadeFolder && !FolderWouldBeMade(prefix)) {
      if (::mkdir(prefix.c_str(), 0755) != 0) return false;
      ::rmdir(prefix.c_str());
    }
    RememberFolderWouldBeMade(prefix);
    insideMadeFolder = true;
  }
  return WritesHeld() || DirectoryExists(path);
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
  // A folder a dry run would have made is empty: the file would be new.
  if (WritesHeld() && FolderWouldBeMade(FolderOf(path))) return true;
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = Describe("Cannot write", path);
    return false;
  }
  if (WritesHeld()) {
    ::close(fd);
    ::unlink(temp.c_str());
    // A rename refuses to put a file in place of a folder.
    if (DirectoryExists(path)) {
      error = Describe("Cannot replace", path, EISDIR);
      return false;
    }
    return true;
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

bool RemoveFile(const std::string& path) {
  if (!WritesHeld()) return ::unlink(path.c_str()) == 0;
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && WhyFolderTakesNoFiles(FolderOf(path)) == 0;
}

bool RenameFile(const std::string& from, const std::string& to, std::string& error) {
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) {
    error = "Cannot rename \"" + from + "\": \"" + to + "\" exists";
    return false;
  }
  if (WritesHeld()) {
    int why = ::lstat(from.c_str(), &st) == 0 ? 0 : errno;
    if (!why) why = WhyFolderTakesNoFiles(FolderOf(from));
    if (!why) why = WhyFolderTakesNoFiles(FolderOf(to));
    if (!why) return true;
    error = Describe("Cannot rename", from, why);
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

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path.front() == '/'; }

bool IsRelativePath(const std::string& path) { return !path.empty() && path.front() != '/'; }

char PathSeparator() { return '/'; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

}  // namespace velomar::platform
