#include <windows.h>

#include "platform/Files.h"
#include "platform/win32/Win32ErrorText.h"
#include "platform/win32/Win32Handle.h"

namespace velomar::platform {

namespace {

std::string Describe(const std::string& what, const std::string& path) {
  return what + " \"" + path + "\": " + Win32ErrorText(GetLastError());
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

}  // namespace

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectoryTree(const std::string& path) {
  if (WritesHeld()) return true;
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      const std::string prefix = path.substr(0, i);
      // Skip drive roots ("C:") and empty leading parts of UNC paths.
      if (prefix.empty() || (prefix.size() == 2 && prefix[1] == ':')) continue;
      if (!DirectoryExists(prefix)) CreateDirectoryA(prefix.c_str(), nullptr);
    }
  }
  return DirectoryExists(path);
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error) {
  const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = Describe("Cannot open", path);
    return false;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) {
    error = Describe("Cannot read", path);
    return false;
  }
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > kMaxReadableFile) {
    error = "File too large: \"" + path + "\"";
    return false;
  }
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr)) {
      error = Describe("Cannot read", path);
      return false;
    }
    if (got == 0) break;
    done += got;
  }
  data.resize(done);
  contents.swap(data);
  return true;
}

bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error) {
  if (WritesHeld()) return true;
  char temp[MAX_PATH + 16] = {};
  if (!GetTempFileNameA(FolderOf(path).c_str(), "vm", 0, temp)) {
    error = Describe("Cannot write", path);
    return false;
  }
  UniqueHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = Describe("Cannot write", path);
    DeleteFileA(temp);
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < contents.size()) {
    DWORD wrote = 0;
    ok = WriteFile(file.Get(), contents.data() + done, static_cast<DWORD>(contents.size() - done), &wrote, nullptr) &&
         wrote > 0;
    done += wrote;
  }
  ok = ok && FlushFileBuffers(file.Get());
  if (!ok) error = Describe("Cannot write", path);
  file.Reset();  // closed before it is moved over the target
  if (ok && !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Describe("Cannot replace", path);
    ok = false;
  }
  if (!ok) DeleteFileA(temp);
  return ok;
}

bool RemoveFile(const std::string& path) { return WritesHeld() || DeleteFileA(path.c_str()) != 0; }

bool RenameFile(const std::string& from, const std::string& to, std::string& error) {
  if (WritesHeld()) return true;
  // MoveFileA without flags never replaces an existing file.
  if (!MoveFileA(from.c_str(), to.c_str())) {
    error = Describe("Cannot rename", from) + " (to \"" + to + "\")";
    return false;
  }
  return true;
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH * 2] = {};
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

bool ChangeCurrentDirectory(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

char PathSeparator() { return '\\'; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '\\' || folder.back() == '/') return folder + name;
  return folder + '\\' + name;
}

}  // namespace velomar::platform
