#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace velomar::test {

namespace fs = std::filesystem;

std::string DataFile(const std::string& relative) {
#ifdef _WIN32
  std::string path = std::string("Z:") + VELOMAR_TEST_DATA + "/" + relative;
  for (auto& c : path)
    if (c == '/') c = '\\';
  return path;
#else
  return std::string(VELOMAR_TEST_DATA) + "/" + relative;
#endif
}

fs::path FsPath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string Utf8Of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempFolder::TempFolder() {
  std::random_device device;
  const auto base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = base / ("velomar-test-" + std::to_string(device()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = Utf8Of(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(FsPath(path_), ec);
}

std::string TempFolder::File(const std::string& name) const { return platform::JoinPath(path_, name); }

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path) : previous_(platform::CurrentDirectory()) {
  platform::ChangeCurrentDirectory(path);
}
ScopedCurrentDirectory::~ScopedCurrentDirectory() { platform::ChangeCurrentDirectory(previous_); }

ScopedAppData::ScopedAppData(const std::string& folder) {
#ifdef _WIN32
  auto key = platform::SystemRegistry().Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true);
  if (auto old = key->Query("AppData")) {
    hadPrevious_ = true;
    previous_ = old->data;
  }
  key->SetValue("AppData", platform::RegValue::String(folder));
#else
  if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
    hadPrevious_ = true;
    previous_ = old;
  }
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
#endif
}

ScopedAppData::~ScopedAppData() {
#ifdef _WIN32
  auto key = platform::SystemRegistry().Open(platform::RegRoot::CurrentUser, platform::kShellFoldersKey, true);
  if (hadPrevious_)
    key->SetValue("AppData", platform::RegValue::String(previous_));
  else
    key->DeleteValue("AppData");
#else
  if (hadPrevious_)
    setenv("XDG_CONFIG_HOME", previous_.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
#endif
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace velomar::test
