#pragma once
// The registry backup files: the records they hold, the writer that
// completes a pass's backup before its first change, the restore, and the
// undo file for regedit.
#include <string>
#include <utility>
#include <vector>

#include "tcp/BackupRecords.h"
#include "tcp/TcpSteps.h"

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
// as it was before the program first changed it, and one for the default
// value of each missing key above a missing key that a write would create
// with it ("No Key"), so that a restore removes those keys again. A valid
// backup is never overwritten: its records stay as they are and only
// values it lacks are added, taken from `otherFile` (the other mode's
// backup) when that holds them, otherwise from the registry. An existing
// file that is no valid backup is first renamed (never replaced; see
// kInvalidSuffix) and a new backup started. The file is written through a
// temporary file.
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

// A file regedit imports (REGEDIT4) that puts back the state the backups
// recorded from before the first change, so that an undo needs no Velomar:
// "Name"=dword:... for a number, the value with its type and data for
// another, "Name"=- for one that was not there. `files` are read together
// as ReadBackupSet reads them, each only when it exists. Keys the passes
// created stay, empty: regedit has no way to delete a key only when it is
// empty. False with a message naming the file when one cannot be read or
// is no valid backup, or when there is none.
bool UndoRegText(const std::vector<std::string>& files, std::string& text, std::string& error);

// The backups a restore of `file` reads together, in order: the file, then
// the other mode's backup beside it when `file` is one of the two, since
// either pass may have been the first to change a value.
std::vector<std::string> BackupsRestoredWith(const std::string& file);

// The name a file under a backup's name that is no valid backup is kept
// under when a pass starts a new one: file + ".invalid" (or ".invalid2", ...).
inline constexpr const char* kInvalidSuffix = ".invalid";

// How a registry restore went.
struct BackupRestore {
  bool found = false;     // a backup file exists
  std::string readError;  // one exists but could not be read: nothing was restored
  std::string invalid;    // one is no valid backup (which line, and why): nothing was restored
  RegChanges changes;
  // The backups the restore put back, each with the name it is kept under
  // now; and why one of them could not be renamed (it would be read again).
  std::vector<std::pair<std::string, std::string>> retired;
  std::string retireError;
  bool Complete() const { return readError.empty() && invalid.empty() && changes.Complete(); }
};

// Puts back the state from before Velomar first changed each value, from
// the backups BackupsRestoredWith(fileName) names: a recorded value is
// written with its type and data; a value recorded as missing ("No value",
// "No Key") is deleted; then the key of each "No Key" record, deepest
// first, when nothing is left in it. Every record is checked first: a
// value line that is neither a marker, a number nor hex data makes the
// file invalid, and nothing is restored. Goes on past a change the
// registry refuses. When every change went through, the backups are
// retired (renamed, never replacing a file; see kRestoredSuffix), so that
// the next pass records the state of its own moment; otherwise they stay,
// to be tried again.
BackupRestore RestoreRegBackup(const std::string& fileName);

}  // namespace velomar
