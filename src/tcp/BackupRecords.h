#pragma once
// The five-line records of the registry backup files: reading and checking
// them, which value each one is about, and several backups read as one.
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "util/TextLines.h"

namespace velomar {

inline constexpr const char* kNoValueMarker = "No value";
inline constexpr const char* kNoKeyMarker = "No Key";

// One five-line record: value name, root, path, old value, value type.
struct BackupRecord {
  std::string name;
  platform::RegRoot root;
  std::string path;
  std::string oldValue;
  std::string type;
  // The value as it was: a REG_DWORD for a number, the type and bytes of
  // regedit's hex notation; nothing for the two markers.
  std::optional<platform::RegValue> stored;

  bool KeyWasMissing() const { return oldValue == kNoKeyMarker; }
  // What a restore shows as the value it writes: the number, or the line.
  std::string ShownValue() const;
};

// The old-value line of a value that exists: a REG_DWORD of four bytes as a
// signed decimal number, as the records have always held it; any other in
// regedit's hex notation ("hex:..." or "hex(N):..."), which no number or
// marker can be mistaken for.
std::string OldValueLine(const platform::RegValue& value);

// The type line: "REG_DWORD" and so on.
const char* RegTypeName(std::uint32_t type);

struct BackupContents {
  std::vector<BackupRecord> records;
  // One to four lines after the last whole record, which no reader uses.
  Lines leftover;
};

// The records of a backup file's lines, checked as the restore checks them:
// every root line is one of the five root key names (exact case), every
// old-value line a marker (exact case), a 32-bit integer or regedit's hex
// notation, and no name, root or path line holds a NUL (the system would
// read the name only up to it). Raises ConversionError naming `fileName`
// and the line otherwise.
BackupContents ParseRegBackup(const Lines& lines, const std::string& fileName);
// The records, then the lines left over: new records go before those, so
// that no record shifts and no line is lost.
Lines LinesOf(const BackupContents& contents);

// Which value a record names, as the store writes it: the root, path and
// value name as Windows compares registry names, without regard to case; a
// path's leading and trailing backslashes do not count. Two records restore
// the same value exactly when their identities are equal.
std::string ValueIdentity(platform::RegRoot root, const std::string& path, const std::string& name);

// "HKEY_...\path" as regedit names the key the store writes a record to.
std::string KeyNameWrittenFor(const BackupRecord& record);

// A backup file as found: none, one a restore would accept, or one it
// would not (unreadable, or no valid backup).
struct FoundBackup {
  bool exists = false;
  bool valid = false;
  bool unreadable = false;
  BackupContents contents;
  std::string problem;
};
FoundBackup ReadBackupFile(const std::string& file);

// Several backups read as one: of each value, the record of the first file
// that holds one, and within a file its first. The backups copy each
// other's records, so they agree unless one was started anew, and then
// the earlier holds the older state.
struct BackupSet {
  std::vector<std::string> files;     // those that exist, in the order given
  std::vector<BackupRecord> records;  // in the order they were first met
  // The first file that could not be read, or is no valid backup, and why;
  // then there are no records.
  std::string problemFile;
  std::string readError;
  std::string invalid;
  bool Usable() const { return !files.empty() && problemFile.empty(); }
};
BackupSet ReadBackupSet(const std::vector<std::string>& files);

}  // namespace velomar
