// The registry backup files: the writer that keeps what a backup already
// holds, the restore, and the undo file.
#include "tcp/RegBackup.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/Files.h"
#include "platform/RegeditFormat.h"
#include "registry/RegistryStore.h"
#include "util/AsideNames.h"

namespace velomar {

namespace {

// The record of a value as the registry holds it now: a number, a value of
// another type with its type and bytes, or one of the markers. Nothing when
// the key cannot be opened: whether the value exists is not known, and the
// pass cannot change it either, so the record is left to a pass that can.
std::optional<BackupRecord> RecordOfCurrentValue(platform::RegRoot root, const std::string& path,
                                                 const std::string& name) {
  RegValueSnapshot snapshot = RegValueStatus(root, path, name);
  BackupRecord record{name, root, path, kNoKeyMarker, "REG_NONE", std::nullopt};
  if (!snapshot.keyExists) return record;
  if (!snapshot.readable) return std::nullopt;
  record.oldValue = kNoValueMarker;
  if (!snapshot.Present()) return record;
  record.type = RegTypeName(snapshot.value->type);
  record.oldValue = OldValueLine(*snapshot.value);
  record.stored = std::move(snapshot.value);
  return record;
}

// "\A\B\C" -> "\A\B"; empty above the first level.
std::string ParentPath(const std::string& path) {
  std::string parent = path;
  while (!parent.empty() && parent.back() == '\\') parent.pop_back();
  const auto slash = parent.rfind('\\');
  parent.resize(slash == std::string::npos ? 0 : slash);
  return parent.find_first_not_of('\\') == std::string::npos ? std::string() : parent;
}

std::size_t PathDepth(const std::string& path) {
  std::size_t depth = 0;
  for (std::size_t i = 0; i < path.size(); ++i) depth += path[i] != '\\' && (i == 0 || path[i - 1] == '\\');
  return depth;
}

// A backup being completed: its records, which values they name, and the
// other mode's backup, which may have seen a value before either pass
// changed it.
class BackupUnderWay {
 public:
  BackupUnderWay(BackupContents& own, const BackupContents* other) : own_(own) {
    for (const auto& r : own.records) held_.insert(ValueIdentity(r.root, r.path, r.name));
    if (other)
      for (const auto& r : other->records) other_.emplace(ValueIdentity(r.root, r.path, r.name), &r);
  }

  // Adds the value's record unless the backup holds one, from the other
  // backup where it has one, otherwise as the registry holds it now; then
  // the records of the missing keys above a missing key, up to the first
  // key that exists.
  void Record(platform::RegRoot root, const std::string& path, const std::string& name) {
    const BackupRecord* added = Add(root, path, name);
    if (!added || !added->KeyWasMissing()) return;
    for (std::string parent = ParentPath(path); !parent.empty(); parent = ParentPath(parent)) {
      const std::string id = ValueIdentity(root, parent, "");
      if (!held_.count(id) && !other_.count(id) && RegValueStatus(root, parent, "").keyExists) return;
      Add(root, parent, "");
    }
  }

 private:
  const BackupRecord* Add(platform::RegRoot root, const std::string& path, const std::string& name) {
    const std::string id = ValueIdentity(root, path, name);
    if (held_.count(id)) return nullptr;
    if (const auto earlier = other_.find(id); earlier != other_.end()) {
      own_.records.push_back(*earlier->second);
    } else if (auto now = RecordOfCurrentValue(root, path, name)) {
      own_.records.push_back(std::move(*now));
    } else {
      return nullptr;
    }
    held_.insert(id);
    return &own_.records.back();
  }

  BackupContents& own_;
  std::unordered_set<std::string> held_;
  std::unordered_map<std::string, const BackupRecord*> other_;
};

// The keys of the "No Key" records, each once, deepest first, so that a key
// goes before the key above it.
std::vector<const BackupRecord*> KeysThatWereMissing(const std::vector<BackupRecord>& records) {
  std::vector<const BackupRecord*> keys;
  std::unordered_set<std::string> seen;
  for (const auto& r : records)
    if (r.KeyWasMissing() && seen.insert(ValueIdentity(r.root, r.path, "")).second) keys.push_back(&r);
  std::stable_sort(keys.begin(), keys.end(), [](const BackupRecord* a, const BackupRecord* b) {
    return PathDepth(a->path) > PathDepth(b->path);
  });
  return keys;
}

// The state the records hold: each value as it was, then the keys that
// were not there removed where nothing else is in them.
void PutBack(const std::vector<BackupRecord>& records, RegChanges& changes) {
  for (const auto& r : records) {
    if (r.stored)
      WriteTypedValue(r.root, r.path, r.name, *r.stored, r.ShownValue(), changes);
    else
      RemoveValue(r.root, r.path, r.name, changes);
  }
  for (const BackupRecord* key : KeysThatWereMissing(records))
    if (const auto removed = DeleteRegKeyIfEmpty(key->root, key->path); !removed)
      changes.notChanged.push_back({key->root, key->path, "", removed});
}

// Backups that have been put back are kept aside, never read again.
void Retire(const std::vector<std::string>& files, BackupRestore& outcome) {
  for (const auto& file : files) {
    const std::string aside = UnusedNameBeside(file, kRestoredSuffix);
    std::string error;
    if (platform::RenameFile(file, aside, error)) {
      outcome.retired.emplace_back(file, aside);
    } else if (outcome.retireError.empty()) {
      outcome.retireError = "\"" + file + "\" could not be renamed to \"" + aside +
                            "\", so a later undo would put back what it holds: " + error;
    }
  }
}

// "[HKEY_...\path]" sections, one per key in the order the records first
// name it, each with its value lines.
std::string RegTextOf(const std::vector<BackupRecord>& records) {
  std::vector<std::pair<std::string, std::string>> sections;
  std::unordered_map<std::string, std::size_t> sectionOf;
  for (const auto& record : records) {
    const std::string key = KeyNameWrittenFor(record);
    const auto [it, added] = sectionOf.emplace(platform::FoldedRegistryName(key), sections.size());
    if (added) sections.push_back({"\r\n[" + key + "]\r\n", {}});
    sections[it->second].second += platform::RegTextValueLine(record.name, record.stored) + "\r\n";
  }
  std::string text = "REGEDIT4\r\n";
  for (const auto& [header, lines] : sections) text += header + lines;
  return text;
}

}  // namespace

bool UndoRegText(const std::vector<std::string>& files, std::string& text, std::string& error) {
  const BackupSet backups = ReadBackupSet(files);
  if (!backups.problemFile.empty()) {
    error = "\"" + backups.problemFile +
            "\" is no valid registry backup: " + (backups.invalid.empty() ? backups.readError : backups.invalid);
    return false;
  }
  if (backups.files.empty()) {
    error = "there is no registry backup here (";
    for (std::size_t i = 0; i < files.size(); ++i) error += (i ? ", \"" : "\"") + files[i] + "\"";
    error += ")";
    return false;
  }
  text = RegTextOf(backups.records);
  return true;
}

RegBackupOutcome WriteRegBackup(const std::string& file, const std::string& otherFile,
                                const std::vector<RegStep>& steps) {
  RegBackupOutcome outcome;
  FoundBackup own = ReadBackupFile(file);
  if (own.exists && !own.valid) {
    const std::string aside = UnusedNameBeside(file, kInvalidSuffix);
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
  BackupUnderWay backup(own.contents, other.valid ? &other.contents : nullptr);
  for (const auto& step : steps)
    if (StepApplies(step)) backup.Record(step.root, step.path, step.name);
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

std::vector<std::string> BackupsRestoredWith(const std::string& file) {
  const std::size_t nameStart = file.find_last_of("/\\") + 1;  // 0 without a folder
  const std::string folder = file.substr(0, nameStart);
  const std::string name = file.substr(nameStart);
  if (name == kAutoBackupFile) return {file, folder + kCustomBackupFile};
  if (name == kCustomBackupFile) return {file, folder + kAutoBackupFile};
  return {file};
}

BackupRestore RestoreRegBackup(const std::string& fileName) {
  BackupRestore outcome;
  const BackupSet backups = ReadBackupSet(BackupsRestoredWith(fileName));
  outcome.found = !backups.files.empty();
  outcome.readError = backups.readError;
  outcome.invalid = backups.invalid;
  if (!backups.Usable()) return outcome;
  PutBack(backups.records, outcome.changes);
  if (outcome.changes.Complete()) Retire(backups.files, outcome);
  return outcome;
}

}  // namespace velomar
