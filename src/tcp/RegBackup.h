#pragma once
// The registry backup files: the records they hold, the writer that
// completes a pass's backup before its first change, the restore, and the
// undo file for regedit.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tcp/TcpSteps.h"
#include "util/TextLines.h"

namespace velomar {

inline constexpr const char* kAutoBackupFile = "RegBackUp.bk";
inline constexpr const char* kCustomBackupFile = "CustomRegBackUp.bk";

// How writing a pass's registry backup went.
struct RegBackupOutcome {
  // The file holds a record for every value the pass is about to change.
  bool written = false;
  std::string error;  // why not
  // An earlier file under the backup's name that no restore would accept
  // now has this name; the reason says what was wrong with it.
  std::string movedAsideTo;
  std::string movedAsideReason;
};

// Makes `file` hold a five-line record (name, root, path, old value or
// "No value" / "No Key", value type) for every value the steps change now,
// as it was before the program first changed it. A valid backup is never
// overwritten: its records stay as they are and only values it lacks are
// added, taken from `otherFile` (the other mode's backup) when that holds
// them, otherwise from the registry. An existing file that is no valid
// backup is first renamed (never replaced) and a new backup started. The
// file is written through a temporary file.
RegBackupOutcome WriteRegBackup(const std::string& file, const std::string& otherFile,
                                const std::vector<RegStep>& steps);

// How a pass went: its registry backup, and what it changed. A pass whose
// backup could not be written changes nothing, since the values it would
// change could not be put back.
struct PassReport {
  std::string backupFile;  // the full path, in the current directory
  bool backupWritten = false;
  std::string backupError;  // why not, naming the file
  // An earlier file under the backup's name that was no valid backup, kept
  // under this name; the reason says what was wrong with it.
  std::string backupMovedAsideTo;
  std::string backupMovedAsideReason;
  RegChanges changes;
};

// WriteRegBackup in the current directory for a pass about to take the
// steps, as the pass reports it.
PassReport BackUpBeforePass(const char* file, const char* otherFile, const std::vector<RegStep>& steps);

inline constexpr const char* kNoValueMarker = "No value";
inline constexpr const char* kNoKeyMarker = "No Key";

// One five-line record: value name, root, path, old value, value type.
struct BackupRecord {
  std::string name;
  std::string root;
  std::string path;
  std::string oldValue;
  std::string type;
  // The old value as a number; nothing for the two markers.
  std::optional<std::int32_t> value;
};

struct BackupContents {
  std::vector<BackupRecord> records;
  // One to four lines after the last whole record, which no reader uses.
  Lines leftover;
};

// The records of a backup file's lines, checked as the restore checks them:
// every old-value line is a marker (exact case) or a 32-bit integer.
// Raises ConversionError naming `fileName` and the line otherwise.
BackupContents ParseRegBackup(const Lines& lines, const std::string& fileName);

// True when restoring the record writes the value the step touches: the
// same root as the store selects it (an unknown root name means
// HKEY_CURRENT_USER), and path and value name equal as Windows compares
// registry names, without regard to case; a path's leading and trailing
// backslashes do not count.
bool RestoresSameValue(const BackupRecord& record, const RegStep& step);

// A file regedit imports (REGEDIT4) that puts back the state the backups
// recorded from before the first change, so that an undo needs no Velomar:
// "Name"=dword:... for a value that was there, "Name"=- for one that was
// not. `files` are read in order, each only when it exists; where two
// records name the same value the earlier one wins (the backups copy each
// other's records, so they agree but where a file was started anew, and
// then the other holds the older state). Keys the passes created stay,
// empty: regedit has no way to delete a key only when it is empty. False
// with a message naming the file when one cannot be read or is no valid
// backup, or when there is none.
bool UndoRegText(const std::vector<std::string>& files, std::string& text, std::string& error);

// How a registry restore went.
struct BackupRestore {
  bool found = false;     // the backup file exists
  std::string readError;  // it exists but could not be read: nothing was restored
  std::string invalid;    // it is no valid backup (which line, and why): nothing was restored
  RegChanges changes;
  bool Complete() const { return readError.empty() && invalid.empty() && changes.Complete(); }
};

// Puts back the state a registry backup file recorded from before the
// first change: a recorded number is written; a value recorded as missing
// ("No value", "No Key") is deleted, and the key of a "No Key" record too
// when nothing is left in it. Every record is checked first: a value line
// that is neither a marker nor an integer makes the file invalid, and
// nothing is restored. Goes on past a change the registry refuses.
BackupRestore RestoreRegBackup(const std::string& fileName);

}  // namespace velomar
