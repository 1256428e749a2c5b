#pragma once
// The registry backup files as records: reading and checking them, and
// matching a record to the value a step touches.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tcp/TcpSteps.h"
#include "util/TextLines.h"

namespace velomar {

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

}  // namespace velomar
