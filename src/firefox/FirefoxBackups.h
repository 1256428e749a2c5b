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

// Reads source as lines and writes them to target with CR LF after each.
bool CopyLines(const std::string& source, const std::string& target, FileProblems& problems);

// A backup that undo brings back, written only while none exists, so that
// it keeps the file as it was before the first pass: a line copy of the
// first of `sources` that exists (the other mode's backup of the same file
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
// Velomar's preferences, and no other line. They walk the profiles and stop
// at the first one that does not resolve; each is true when the walk
// completed without a problem.
//
// The two restores put Velomar's preference lines of prefs.js and user.js
// back as prefs.bk and user.bk (Custom_prefs.bk and Custom_user.bk) hold
// them; a missing backup leaves its file as it is. They leave a profile
// Firefox runs with untouched when they would change its prefs.js, and go
// on with the next.
bool RestoreFirefoxBackup(FirefoxReport* report = nullptr);
// Removes Velomar's preferences from user.js in every profile that has a
// user.bk, keeping the user's own lines.
bool ClearUserPrefsFile(FirefoxReport* report = nullptr);
bool RestoreCustomFirefoxBackup(FirefoxReport* report = nullptr);

}  // namespace velomar
