#pragma once
// Helpers for the suites: test data, temporary folders, a scoped current
// directory and per-user data folder.
#include <filesystem>
#include <string>

namespace velomar::test {

// A path of the program's (UTF-8) as std::filesystem takes it, and back: on
// Windows a narrow path would be read in the ANSI code page.
std::filesystem::path FsPath(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// A file under tests/data. Under Wine the path is the Unix one mapped
// through drive Z:, which Wine resolves.
std::string DataFile(const std::string& relative);

// A fresh empty folder, removed with its contents on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Makes a folder the current directory for the lifetime of the object.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& path);
  ~ScopedCurrentDirectory();

 private:
  std::string previous_;
};

// Points the per-user application-data folder at a test folder (natively
// through XDG_CONFIG_HOME; on Windows through the user's shell folders).
class ScopedAppData {
 public:
  explicit ScopedAppData(const std::string& folder);
  ~ScopedAppData();

 private:
  std::string previous_;
  bool hadPrevious_ = false;
};

// Reads a whole file ("" when missing).
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);

}  // namespace velomar::test
