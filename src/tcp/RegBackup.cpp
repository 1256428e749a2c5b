// The registry backup files: reading and checking them, the writer that
// keeps what a backup already holds, and the restore.
#include "tcp/RegBackup.h"

#include <algorithm>
#include <string_view>

#include "platform/Files.h"
#include "platform/RegeditFormat.h"
#include "registry/RegistryStore.h"
#include "util/Numbers.h"

namespace velomar {

namespace {

const char* TypeName(std::uint32_t type) {
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

// The record of a value as the registry holds it now. Only integers can be
// put back; a value of another type is recorded as "No value" with its type
// (the system reads such a value as missing, so removing it restores how
// the system behaved). Nothing when the key cannot be opened: whether the
// value exists is not known, and the pass cannot change it either, so the
// record is left to a pass that can.
std::optional<BackupRecord> RecordOfCurrentValue(const RegStep& step) {
  const RegValueSnapshot snapshot = SnapshotRegValue(step.root, step.path, step.name);
  BackupRecord record{step.name, step.root, step.path, kNoKeyMarker, "REG_NONE", std::nullopt};
  if (!snapshot.keyExists) return record;
  if (!snapshot.readable) return std::nullopt;
  record.oldValue = kNoValueMarker;
  if (!snapshot.valueExists) return record;
  record.type = TypeName(snapshot.value.type);
  if (const auto dword = snapshot.value.AsDword()) {
    record.value = static_cast<std::int32_t>(*dword);
    record.oldValue = std::to_string(*record.value);
  }
  return record;
}

// The records, then any lines left over after the last whole one: new
// records go before those, so that no record shifts and no line is lost.
Lines LinesOf(const BackupContents& contents) {
  Lines lines;
  for (const auto& r : contents.records) lines.insert(lines.end(), {r.name, r.root, r.path, r.oldValue, r.type});
  lines.insert(lines.end(), contents.leftover.begin(), contents.leftover.end());
  return lines;
}

std::string_view WithoutOuterBackslashes(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

platform::RegRoot RootWrittenFor(const std::string& name) {
  platform::RegRoot root;
  return SelectRoot(name, root) ? root : platform::RegRoot::CurrentUser;
}

// The same value as the store writes it: the root it selects, path and
// name as Windows compares them.
bool SameValue(const std::string& rootA, const std::string& pathA, const std::string& nameA, const std::string& rootB,
               const std::string& pathB, const std::string& nameB) {
  return RootWrittenFor(rootA) == RootWrittenFor(rootB) &&
         platform::SameRegistryName(WithoutOuterBackslashes(pathA), WithoutOuterBackslashes(pathB)) &&
         platform::SameRegistryName(nameA, nameB);
}

// "[HKEY_...\path]" as regedit names the key the store writes a record to.
std::string RegTextKey(const BackupRecord& record) {
  return "[" + std::string(platform::RootName(RootWrittenFor(record.root))) + "\\" +
         std::string(WithoutOuterBackslashes(record.path)) + "]";
}

const BackupRecord* RecordFor(const BackupContents& contents, const RegStep& step) {
  for (const auto& record : contents.records)
    if (RestoresSameValue(record, step)) return &record;
  return nullptr;
}

// A backup file as found: none, one a restore would accept, or one it
// would not (unreadable, or a value line that is no number nor marker).
struct FoundBackup {
  bool exists = false;
  bool valid = false;
  BackupContents contents;
  std::string problem;
};

FoundBackup ReadBackupFile(const std::string& file) {
  FoundBackup found;
  if (file.empty() || !platform::FileExists(file)) return found;
  found.exists = true;
  Lines lines;
  if (!LoadLines(file, lines, found.problem)) return found;
  try {
    found.contents = ParseRegBackup(lines, file);
    found.valid = true;
  } catch (const ConversionError& e) {
    found.problem = e.what();
  }
  return found;
}

// A name beside the file that nothing has yet.
std::string UnusedAsideName(const std::string& file) {
  std::string candidate = file + ".invalid";
  for (int n = 2; platform::FileExists(candidate) || platform::DirectoryExists(candidate); ++n)
    candidate = file + ".invalid" + std::to_string(n);
  return candidate;
}

}  // namespace

BackupContents ParseRegBackup(const Lines& lines, const std::string& fileName) {
  BackupContents contents;
  const std::size_t whole = lines.size() / 5 * 5;
  for (std::size_t k = 0; k < whole; k += 5) {
    BackupRecord record{lines[k], lines[k + 1], lines[k + 2], lines[k + 3], lines[k + 4], std::nullopt};
    if (record.oldValue != kNoValueMarker && record.oldValue != kNoKeyMarker) {
      record.value = ParseInt32(record.oldValue);
      if (!record.value)
        throw ConversionError(NotAnIntegerMessage(record.oldValue, fileName + ", line " + std::to_string(k + 4)));
    }
    contents.records.push_back(std::move(record));
  }
  contents.leftover.assign(lines.begin() + static_cast<std::ptrdiff_t>(whole), lines.end());
  return contents;
}

bool RestoresSameValue(const BackupRecord& record, const RegStep& step) {
  return SameValue(record.root, record.path, record.name, step.root, step.path, step.name);
}

bool UndoRegText(const std::vector<std::string>& files, std::string& text, std::string& error) {
  std::vector<BackupRecord> records;
  bool anyFile = false;
  for (const auto& file : files) {
    const FoundBackup found = ReadBackupFile(file);
    if (!found.exists) continue;
    anyFile = true;
    if (!found.valid) {
      error = "\"" + file + "\" is no valid registry backup: " + found.problem;
      return false;
    }
    for (const auto& record : found.contents.records) {
      bool held = false;
      for (const auto& earlier : records)
        held = held || SameValue(earlier.root, earlier.path, earlier.name, record.root, record.path, record.name);
      if (!held) records.push_back(record);
    }
  }
  if (!anyFile) {
    error = "there is no registry backup here (";
    for (std::size_t i = 0; i < files.size(); ++i) error += (i ? ", \"" : "\"") + files[i] + "\"";
    error += ")";
    return false;
  }
  // One section per key, in the order the records first name it.
  std::vector<std::pair<std::string, std::vector<std::string>>> keys;
  for (const auto& record : records) {
    const std::string key = RegTextKey(record);
    auto it = std::find_if(keys.begin(), keys.end(),
                           [&key](const auto& section) { return platform::SameRegistryName(section.first, key); });
    if (it == keys.end()) it = keys.insert(keys.end(), {key, {}});
    std::optional<platform::RegValue> value;
    if (record.value) value = platform::RegValue::Dword(static_cast<std::uint32_t>(*record.value));
    it->second.push_back(platform::RegTextValueLine(record.name, value));
  }
  text = "REGEDIT4\r\n";
  for (const auto& [key, lines] : keys) {
    text += "\r\n" + key + "\r\n";
    for (const auto& line : lines) text += line + "\r\n";
  }
  return true;
}

RegBackupOutcome WriteRegBackup(const std::string& file, const std::string& otherFile,
                                const std::vector<RegStep>& steps) {
  RegBackupOutcome outcome;
  FoundBackup own = ReadBackupFile(file);
  if (own.exists && !own.valid) {
    const std::string aside = UnusedAsideName(file);
    std::string error;
    if (!platform::RenameFile(file, aside, error)) {
      outcome.error = "\"" + file + "\" is no valid backup (" + own.problem + ") and cannot be moved aside: " + error;
      return outcome;
    }
    outcome.movedAsideTo = aside;
    outcome.movedAsideReason = own.problem;
    own = FoundBackup{};
  }
  const FoundBackup other = otherFile == file ? FoundBackup{} : ReadBackupFile(otherFile);

  const std::size_t held = own.contents.records.size();
  for (const auto& step : steps) {
    if (!StepApplies(step) || RecordFor(own.contents, step)) continue;
    // The other mode's backup may have seen the value before either pass changed it.
    if (const BackupRecord* earlier = other.valid ? RecordFor(other.contents, step) : nullptr)
      own.contents.records.push_back(*earlier);
    else if (auto now = RecordOfCurrentValue(step))
      own.contents.records.push_back(std::move(*now));
  }
  if (own.valid && own.contents.records.size() == held) {
    outcome.written = true;  // it already holds every value: left exactly as it is
    return outcome;
  }
  outcome.written = SaveLines(file, LinesOf(own.contents), outcome.error);
  return outcome;
}

PassReport BackUpBeforePass(const char* file, const char* otherFile, const std::vector<RegStep>& steps) {
  const RegBackupOutcome outcome = WriteRegBackup(file, otherFile, steps);
  return {platform::JoinPath(platform::CurrentDirectory(), file),
          outcome.written,
          outcome.error,
          outcome.movedAsideTo,
          outcome.movedAsideReason,
          {}};
}

BackupRestore RestoreRegBackup(const std::string& fileName) {
  BackupRestore outcome;
  if (!platform::FileExists(fileName)) return outcome;
  outcome.found = true;
  Lines lines;
  if (!LoadLines(fileName, lines, outcome.readError)) return outcome;
  BackupContents contents;
  try {
    contents = ParseRegBackup(lines, fileName);
  } catch (const ConversionError& e) {
    outcome.invalid = e.what();
    return outcome;
  }
  // The state from before the first change: a value that was there gets its
  // number back; one that was not is removed, and a key that was not there
  // goes too once the pass's values are out of it and nothing else is in it.
  for (const auto& r : contents.records) {
    if (r.value) {
      WriteValue(r.root, r.path, r.name, *r.value, outcome.changes);
      continue;
    }
    RemoveValue(r.root, r.path, r.name, outcome.changes);
    if (r.oldValue == kNoKeyMarker)
      if (const auto removed = DeleteRegKeyIfEmpty(r.root, r.path); !removed)
        outcome.changes.notChanged.push_back({r.root, r.path, "", removed});
  }
  return outcome;
}

}  // namespace velomar
