// The file seam over the wide-character Win32 functions: paths are UTF-8
// inside the program and UTF-16 from here on.
#include <windows.h>

#include "platform/Files.h"
#include "platform/win32/Win32ErrorText.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Text.h"

namespace velomar::platform {

namespace {

std::string Describe(const std::string& what, const std::string& path, DWORD code) {
  return what + " \"" + path + "\": " + Win32ErrorText(code);
}

std::string Describe(const std::string& what, const std::string& path) { return Describe(what, path, GetLastError()); }

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(Utf8ToWide(path).c_str()); }

// A new empty file in `folder` under a name of the system's choice, as the
// replacing writer makes its temporary file.
bool CreateTempFileIn(const std::string& folder, std::wstring& temp) {
  wchar_t name[MAX_PATH] = {};
  if (!GetTempFileNameW(Utf8ToWide(folder).c_str(), L"vm", 0, name)) return false;
  temp = name;
  return true;
}

// What moving or renaming `path` would meet, found without changing it: 0
// when nothing stands in the way, else why (no right to delete it, another
// program holds it open without sharing).
DWORD WhyNotMovable(const std::string& path) {
  const UniqueHandle file(CreateFileW(Utf8ToWide(path).c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? 0 : GetLastError();
}

// The same for putting another file in place of `path` or deleting it:
// Windows also refuses a folder and a read-only file. The real writer asks
// this too, so that it keeps a read-only file where Wine would replace it.
DWORD WhyNotReplaceable(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
  return WhyNotMovable(path);
}

// The folder takes new files: a temporary one is made and removed again.
DWORD WhyFolderTakesNoFiles(const std::string& folder) {
  if (FolderWouldBeMade(folder)) return 0;
  std::wstring probe;
  if (!CreateTempFileIn(folder, probe)) return GetLastError();
  DeleteFileW(probe.c_str());
  return 0;
}

bool IsDriveRoot(const std::string& prefix) { return prefix.empty() || (prefix.size() == 2 && prefix[1] == ':'); }

}  // namespace

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectoryTree(const std::string& path) {
  if (path.empty()) return false;
  if (DirectoryExists(path) || (WritesHeld() && FolderWouldBeMade(path))) return true;
  bool insideMadeFolder = false;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '\\' && path[i] != '/') continue;
    const std::string prefix = path.substr(0, i);
    // Drive roots ("C:") and the empty leading parts of UNC paths are no folders to make.
    if (IsDriveRoot(prefix) || DirectoryExists(prefix)) continue;
    if (!WritesHeld()) {
      CreateDirectoryW(Utf8ToWide(prefix).c_str(), nullptr);
      continue;
    }
    // A dry run makes the first missing folder and removes it again; the
    // ones inside it would be made in a folder of its own.
    if (!insideMadeFolder && !FolderWouldBeMade(prefix)) {
      const std::wstring wide = Utf8ToWide(prefix);
      if (!CreateDirectoryW(wide.c_str(), nullptr)) return false;
      RemoveDirectoryW(wide.c_str());
    }
    RememberFolderWouldBeMade(prefix);
    insideMadeFolder = true;
  }
  return WritesHeld() || DirectoryExists(path);
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error) {
  const UniqueHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
  // A folder a dry run would have made is empty: the file would be new.
  if (WritesHeld() && FolderWouldBeMade(FolderOf(path))) return true;
  std::wstring temp;
  if (!CreateTempFileIn(FolderOf(path), temp)) {
    error = Describe("Cannot write", path);
    return false;
  }
  if (const DWORD why = WhyNotReplaceable(path)) {
    DeleteFileW(temp.c_str());
    error = Describe("Cannot replace", path, why);
    return false;
  }
  if (WritesHeld()) {
    DeleteFileW(temp.c_str());
    return true;
  }
  UniqueHandle file(
      CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = Describe("Cannot write", path);
    DeleteFileW(temp.c_str());
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
  if (ok && !MoveFileExW(temp.c_str(), Utf8ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Describe("Cannot replace", path);
    ok = false;
  }
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

bool RemoveFile(const std::string& path) {
  if (!WritesHeld()) return DeleteFileW(Utf8ToWide(path).c_str()) != 0;
  return FileExists(path) && WhyNotReplaceable(path) == 0;
}

bool RenameFile(const std::string& from, const std::string& to, std::string& error) {
  const auto refused = [&](DWORD code) {
    error = Describe("Cannot rename", from, code) + " (to \"" + to + "\")";
    return false;
  };
  if (WritesHeld()) {
    if (AttributesOf(from) == INVALID_FILE_ATTRIBUTES) return refused(GetLastError());
    if (AttributesOf(to) != INVALID_FILE_ATTRIBUTES) return refused(ERROR_ALREADY_EXISTS);
    if (const DWORD why = WhyNotMovable(from)) return refused(why);
    if (const DWORD why = WhyFolderTakesNoFiles(FolderOf(to))) return refused(why);
    return true;
  }
  // MoveFileW without flags never replaces an existing file.
  if (!MoveFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str())) return refused(GetLastError());
  return true;
}

std::string CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring buffer(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  if (length == 0 || length >= size) return {};
  buffer.resize(length);
  return WideToUtf8(buffer);
}

bool ChangeCurrentDirectory(const std::string& path) { return SetCurrentDirectoryW(Utf8ToWide(path).c_str()) != 0; }

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool NamesDrive(const std::string& path) {
  const auto letter = static_cast<unsigned char>(path.size() >= 2 ? path[0] : 0);
  return path.size() >= 2 && ((letter | 0x20) >= 'a' && (letter | 0x20) <= 'z') && path[1] == ':';
}
}  // namespace

bool IsAbsolutePath(const std::string& path) {
  if (NamesDrive(path)) return path.size() >= 3 && IsSeparator(path[2]);
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

// "\x" (the root of the current drive) and "C:x" (the current folder of
// drive C:) depend on where the program runs: they are neither.
bool IsRelativePath(const std::string& path) { return !path.empty() && !IsSeparator(path[0]) && !NamesDrive(path); }

char PathSeparator() { return '\\'; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '\\' || folder.back() == '/') return folder + name;
  return folder + '\\' + name;
}

}  // namespace velomar::platform
