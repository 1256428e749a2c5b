#pragma once
// The backups of the preference files the passes take, and the three undo
// operations, which take back Velomar's preference lines and nothing else.
//
// A file that cannot be read or written is reported and the walk goes on
// with the next profile.
#include <initializer_list>
#include <string>

#include "firefox/FirefoxReport.h"

namespace velomar {

struct FirefoxPassShared;

inline constexpr const char* kPrefsBackup = "prefs.bk";
inline constexpr const char* kUserBackup = "user.bk";
inline constexpr const char* kCustomPrefsBackup = "Custom_prefs.bk";
inline constexpr const char* kCustomUserBackup = "Custom_user.bk";

// A byte-for-byte copy, written through a temporary file.
bool CopyFileBytes(const std::string& source, const std::string& target, FileProblems& problems);

// A backup that undo brings back, written only while none exists, so that
// it keeps the file as it was before the first pass: a copy of the first
// of `sources` that exists (the other mode's backup of the same file
// comes before the file itself), an empty file when none does. False with
// the problem added when a file cannot be read or written.
bool BackUpOnce(std::initializer_list<std::string> sources, const std::string& backup, FileProblems& problems);

// The restore worker: prefs.bk and user.bk back over prefs.js and user.js.
class FirefoxRestoreWorker {
 public:
  explicit FirefoxRestoreWorker(FirefoxPassShared& shared) : shared_(shared) {}
  void Execute();

 private:
  FirefoxPassShared& shared_;
};

// The three undo operations take back exactly what the passes changed:
// Velomar's preferences, and no other line. They walk every profile: one
// whose folder is missing, that Firefox runs with, or whose files cannot
// be read or written is named in the report, and the others are still
// undone. Each is true when nothing was left undone; without profiles.ini
// there is nothing to undo.
//
// The two restores put Velomar's preference lines of prefs.js and user.js
// back as prefs.bk and user.bk (Custom_prefs.bk and Custom_user.bk) hold
// them, or the other mode's backups where theirs are missing: every backup
// holds its file from before the first pass of either mode, so either
// restore takes back both passes. A missing backup leaves its file as it
// is. Once a profile is restored all four are retired (renamed
// NAME.restored, .restored2, ...) and the next pass backs up the profile as it
// is then.
bool RestoreFirefoxBackup(FirefoxReport* report = nullptr);
// Removes Velomar's preferences from user.js in every profile that has a
// user.bk, keeping the user's own lines.
bool ClearUserPrefsFile(FirefoxReport* report = nullptr);
bool RestoreCustomFirefoxBackup(FirefoxReport* report = nullptr);

}  // namespace velomar
