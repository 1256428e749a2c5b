#include "bandwidth/LastClassFile.h"

#include "bandwidth/BandwidthClass.h"
#include "platform/Files.h"
#include "util/DataFolder.h"
#include "util/Numbers.h"
#include "util/TextLines.h"

namespace velomar {

namespace {

// Loads the file's lines; a missing file is an empty list (exists = false).
bool LoadIfPresent(const std::string& path, Lines& lines, bool& exists, std::string& error) {
  lines.clear();
  exists = platform::FileExists(path);
  return !exists || LoadLines(path, lines, error);
}

std::optional<int> StoredPosition(const std::string& line) {
  const auto value = ParseInt32(line);
  if (!value || !BandwidthClassAt(*value)) return std::nullopt;
  return *value;
}

bool CheckFolder(const std::string& path, std::string& error) {
  if (!PerUserDataFolder().empty()) return true;
  error = "The application-data folder of this user is unknown; cannot write " + path;
  return false;
}

}  // namespace

std::string LastSetFilePath() {
  const std::string folder = PerUserDataFolder();
  return folder.empty() ? std::string() : folder + "LastSetBandWidth.vm";
}

bool SaveAutoClass(int position, std::string& error) {
  const std::string path = LastSetFilePath();
  if (!CheckFolder(path, error)) return false;
  Lines lines;
  bool exists = false;
  if (!LoadIfPresent(path, lines, exists, error)) return false;
  if (lines.empty())
    lines.push_back(std::to_string(position));
  else
    lines[0] = std::to_string(position);
  return SaveLines(path, lines, error);
}

bool SaveCustomClass(int position, std::string& error) {
  const std::string path = LastSetFilePath();
  if (!CheckFolder(path, error)) return false;
  Lines lines;
  bool exists = false;
  if (!LoadIfPresent(path, lines, exists, error)) return false;
  if (lines.empty()) {
    lines = {"-1", std::to_string(position)};
  } else if (lines.size() == 1) {
    lines.push_back(std::to_string(position));
  } else {
    lines[1] = std::to_string(position);
  }
  return SaveLines(path, lines, error);
}

std::optional<int> LoadAutoClass() {
  const std::string path = LastSetFilePath();
  Lines lines;
  bool exists = false;
  std::string error;
  if (path.empty() || !LoadIfPresent(path, lines, exists, error) || lines.empty()) return std::nullopt;
  return StoredPosition(lines[0]);
}

StoredCustomClass LoadStoredCustomClass() {
  StoredCustomClass stored;
  const std::string path = LastSetFilePath();
  if (path.empty()) return stored;
  Lines lines;
  std::string error;
  if (!LoadIfPresent(path, lines, stored.fileExists, error)) return stored;
  if (lines.size() >= 2) stored.position = StoredPosition(lines[1]);
  return stored;
}

}  // namespace velomar
