#include "tcp/BackupRecords.h"

#include <string_view>
#include <unordered_set>

#include "platform/Files.h"
#include "platform/RegeditFormat.h"
#include "util/Numbers.h"

namespace velomar {

namespace {

std::string_view WithoutOuterBackslashes(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

std::string Where(const std::string& fileName, std::size_t line) { return fileName + ", line " + std::to_string(line); }

// Lines `first` to `first` + 2 (counted from 0) of the file are the
// record's name, root and path lines.
void RefuseNul(const Lines& lines, std::size_t first, const std::string& fileName) {
  static constexpr const char* kWhat[] = {"value name", "root key name", "key path"};
  for (std::size_t i = 0; i < 3; ++i)
    if (lines[first + i].find('\0') != std::string::npos)
      throw ConversionError(std::string("the ") + kWhat[i] + " holds a NUL character (" +
                            Where(fileName, first + i + 1) + ")");
}

platform::RegRoot RootOf(const std::string& line, const std::string& where) {
  if (const auto root = platform::RootNamed(line)) return *root;
  throw ConversionError("'" + line + "' is no root key name (" + where + ")");
}

std::optional<platform::RegValue> StoredValue(const std::string& line, const std::string& where) {
  if (line == kNoValueMarker || line == kNoKeyMarker) return std::nullopt;
  if (const auto number = ParseInt32(line)) return platform::RegValue::Dword(static_cast<std::uint32_t>(*number));
  platform::RegValue value;
  bool deleted = false;
  if (line.rfind("hex", 0) != 0) throw ConversionError(NotAnIntegerMessage(line, where));
  if (!platform::ParseValueData(line, value, deleted))
    throw ConversionError("'" + line + "' is no value in regedit's hex notation (" + where + ")");
  return value;
}

}  // namespace

std::string BackupRecord::ShownValue() const {
  const auto dword = stored ? stored->AsDword() : std::nullopt;
  return dword ? std::to_string(static_cast<std::int32_t>(*dword)) : oldValue;
}

std::string OldValueLine(const platform::RegValue& value) {
  if (const auto dword = value.AsDword()) return std::to_string(static_cast<std::int32_t>(*dword));
  return platform::RegTextHexData(value);
}

const char* RegTypeName(std::uint32_t type) {
  switch (type) {
    case platform::kRegNone: return "REG_NONE";
    case platform::kRegSz: return "REG_SZ";
    case platform::kRegExpandSz: return "REG_EXPAND_SZ";
    case platform::kRegBinary: return "REG_BINARY";
    case platform::kRegDword: return "REG_DWORD";
    case platform::kRegMultiSz: return "REG_MULTI_SZ";
    case platform::kRegQword: return "REG_QWORD";
    default: return "REG_UNKNOWN";
  }
}

BackupContents ParseRegBackup(const Lines& lines, const std::string& fileName) {
  BackupContents contents;
  const std::size_t whole = lines.size() / 5 * 5;
  contents.records.reserve(whole / 5);
  for (std::size_t k = 0; k < whole; k += 5) {
    RefuseNul(lines, k, fileName);
    const platform::RegRoot root = RootOf(lines[k + 1], Where(fileName, k + 2));
    BackupRecord record{lines[k], root, lines[k + 2], lines[k + 3], lines[k + 4], std::nullopt};
    record.stored = StoredValue(record.oldValue, Where(fileName, k + 4));
    contents.records.push_back(std::move(record));
  }
  contents.leftover.assign(lines.begin() + static_cast<std::ptrdiff_t>(whole), lines.end());
  return contents;
}

Lines LinesOf(const BackupContents& contents) {
  Lines lines;
  lines.reserve(contents.records.size() * 5 + contents.leftover.size());
  for (const auto& r : contents.records)
    lines.insert(lines.end(), {r.name, platform::RootName(r.root), r.path, r.oldValue, r.type});
  lines.insert(lines.end(), contents.leftover.begin(), contents.leftover.end());
  return lines;
}

std::string ValueIdentity(platform::RegRoot root, const std::string& path, const std::string& name) {
  // A line holds no line break, so one cannot run into the next part.
  return std::string(platform::RootName(root)) + '\n' + platform::FoldedRegistryName(WithoutOuterBackslashes(path)) +
         '\n' + platform::FoldedRegistryName(name);
}

std::string KeyNameWrittenFor(const BackupRecord& record) {
  return std::string(platform::RootName(record.root)) + "\\" + std::string(WithoutOuterBackslashes(record.path));
}

FoundBackup ReadBackupFile(const std::string& file) {
  FoundBackup found;
  if (file.empty() || !platform::FileExists(file)) return found;
  found.exists = true;
  Lines lines;
  if (!LoadLines(file, lines, found.problem)) {
    found.unreadable = true;
    return found;
  }
  try {
    found.contents = ParseRegBackup(lines, file);
    found.valid = true;
  } catch (const ConversionError& e) {
    found.problem = e.what();
  }
  return found;
}

BackupSet ReadBackupSet(const std::vector<std::string>& files) {
  BackupSet set;
  std::unordered_set<std::string> held;
  for (const auto& file : files) {
    FoundBackup found = ReadBackupFile(file);
    if (!found.exists) continue;
    set.files.push_back(file);
    if (!found.valid) {
      set.problemFile = file;
      (found.unreadable ? set.readError : set.invalid) = found.problem;
      set.records.clear();
      return set;
    }
    for (auto& record : found.contents.records)
      if (held.insert(ValueIdentity(record.root, record.path, record.name)).second)
        set.records.push_back(std::move(record));
  }
  return set;
}

}  // namespace velomar
