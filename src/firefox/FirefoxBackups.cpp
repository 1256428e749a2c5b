// The backups the passes take, and the three Firefox undo operations, which
// take back Velomar's preference lines and nothing else.
#include "firefox/FirefoxBackups.h"

#include <functional>

#include "firefox/FirefoxProfiles.h"
#include "firefox/FirefoxWorkers.h"
#include "firefox/PrefLines.h"
#include "firefox/PrefsEdits.h"
#include "firefox/ProfileLock.h"
#include "platform/Files.h"
#include "util/AsideNames.h"

namespace velomar {

namespace {

// A profile whose folder is gone, as the user knows it and where it was.
std::string MissingProfileLabel(const FirefoxProfile& profile) {
  return profile.name.empty() ? profile.pathValue : profile.name + " (" + profile.pathValue + ")";
}

// The walk of the undo operations: every profile gets its turn; one whose
// folder is missing is named, and the others are still restored. Without
// profiles.ini there is nothing of Velomar's to take back.
void WalkProfiles(const std::function<void(const FirefoxProfile&)>& step, FirefoxReport& report) {
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return;
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  if (!list.readError.empty()) {
    report.problems.push_back(list.readError);
    return;
  }
  for (const auto& profile : list.profiles) {
    if (profile.Resolved())
      step(profile);
    else
      report.missingProfiles.push_back(MissingProfileLabel(profile));
  }
}

// One file of a profile as an undo would leave it, and whether it must be
// written.
struct FileUndo {
  std::string path;
  PrefsFile after;
  bool changes = false;
};

// Backups of one file, the restore's own first: the passes take each from
// the other's where that exists, so any of them holds the file from before
// the first pass of either mode.
using BackupNames = std::initializer_list<const char*>;

// The file with Velomar's lines as its backup holds them; nothing to do
// when there is no backup. False (problem added) when a file cannot be read.
bool PlanRestore(const std::string& directory, BackupNames backups, const char* target, FileUndo& undo,
                 FileProblems& problems) {
  undo.path = FirefoxPath(directory, target);
  std::string backupPath;
  for (const char* backup : backups)
    if (backupPath.empty() && platform::FileExists(FirefoxPath(directory, backup)))
      backupPath = FirefoxPath(directory, backup);
  if (backupPath.empty()) return true;
  PrefsFile saved, current;
  std::string error;
  const bool exists = platform::FileExists(undo.path);
  if (!LoadPrefsFile(backupPath, saved, error) || (exists && !LoadPrefsFile(undo.path, current, error))) {
    problems.push_back(error);
    return false;
  }
  undo.after = WithVelomarPrefsOf(current, saved);
  undo.changes = !(undo.after == current) && (exists || !undo.after.Lines().empty());
  return true;
}

bool Write(const FileUndo& undo, FileProblems& problems) {
  std::string error;
  if (!undo.changes || SavePrefsFile(undo.path, undo.after, error)) return true;
  problems.push_back(error);
  return false;
}

// Every backup of the profile under a name no restore reads, so that the
// next pass records the profile as it is then.
bool RetireBackups(const std::string& directory, FileProblems& problems) {
  bool retired = true;
  for (const char* name : {kPrefsBackup, kUserBackup, kCustomPrefsBackup, kCustomUserBackup}) {
    const std::string path = FirefoxPath(directory, name);
    if (!platform::FileExists(path)) continue;
    std::string error;
    if (!platform::RenameFile(path, UnusedNameBeside(path, kRestoredSuffix), error)) {
      problems.push_back(error);
      retired = false;
    }
  }
  return retired;
}

// Firefox keeps its preferences in memory and writes them into prefs.js
// when it ends, so a profile it runs with is left whole; the caller names it.
bool LeftWhileRunning(const FirefoxProfile& profile, FirefoxReport& report) {
  if (!FirefoxRunsWithProfile(profile.directory)) return false;
  report.leftWhileRunning.push_back(ProfileLabel(profile));
  return true;
}

// prefs.js and then user.js from their backups. Once both are as the
// backups hold them, the backups have done their work and are retired.
void RestoreProfile(const FirefoxProfile& profile, BackupNames prefsBackups, BackupNames userBackups,
                    FirefoxReport& report) {
  if (LeftWhileRunning(profile, report)) return;
  FileUndo prefs, user;
  FileProblems problems;
  if (!PlanRestore(profile.directory, prefsBackups, kPrefsJs, prefs, problems) ||
      !PlanRestore(profile.directory, userBackups, kUserJs, user, problems) || !Write(prefs, problems) ||
      !Write(user, problems) || !RetireBackups(profile.directory, problems)) {
    report.problems.insert(report.problems.end(), problems.begin(), problems.end());
    return;
  }
  if (prefs.changes || user.changes) ++report.profilesChanged;
}

bool Undo(const std::function<void(const FirefoxProfile&, FirefoxReport&)>& step, FirefoxReport& report) {
  WalkProfiles([&](const FirefoxProfile& p) { step(p, report); }, report);
  return report.Complete();
}

bool Outcome(bool result, const FirefoxReport& found, FirefoxReport* report) {
  if (report) report->Add(found);
  return result;
}

}  // namespace

bool CopyFileBytes(const std::string& source, const std::string& target, FileProblems& problems) {
  std::string bytes, error;
  if (!platform::ReadWholeFile(source, bytes, error) || !platform::ReplaceFileContents(target, bytes, error)) {
    problems.push_back(error);
    return false;
  }
  return true;
}

bool BackUpOnce(std::initializer_list<std::string> sources, const std::string& backup, FileProblems& problems) {
  if (platform::FileExists(backup)) return true;
  for (const auto& source : sources)
    if (platform::FileExists(source)) return CopyFileBytes(source, backup, problems);
  std::string error;
  if (platform::ReplaceFileContents(backup, "", error)) return true;
  problems.push_back(error);
  return false;
}

void FirefoxRestoreWorker::Execute() {
  FinishAfter(shared_, [this] {
    return Undo(
        [](const FirefoxProfile& p, FirefoxReport& r) {
          RestoreProfile(p, {kPrefsBackup, kCustomPrefsBackup}, {kUserBackup, kCustomUserBackup}, r);
        },
        shared_.report);
  });
}

bool RestoreFirefoxBackup(FirefoxReport* report) {
  FirefoxPassShared shared;
  RunFirefoxWorker(shared, [&] { FirefoxRestoreWorker(shared).Execute(); });
  return Outcome(shared.passResult, shared.report, report);
}

bool ClearUserPrefsFile(FirefoxReport* report) {
  FirefoxReport found;
  const bool result = Undo(
      [](const FirefoxProfile& profile, FirefoxReport& r) {
        const std::string userJs = FirefoxPath(profile.directory, kUserJs);
        if (!platform::FileExists(FirefoxPath(profile.directory, kUserBackup)) || !platform::FileExists(userJs)) return;
        if (LeftWhileRunning(profile, r)) return;
        PrefsFile file;
        std::string error;
        if (!LoadPrefsFile(userJs, file, error)) {
          r.problems.push_back(error);
          return;
        }
        const PrefsFile kept = WithoutVelomarPrefs(file);
        if (kept == file) return;
        if (!SavePrefsFile(userJs, kept, error)) {
          r.problems.push_back(error);
          return;
        }
        ++r.profilesChanged;
      },
      found);
  return Outcome(result, found, report);
}

bool RestoreCustomFirefoxBackup(FirefoxReport* report) {
  FirefoxReport found;
  const bool result = Undo(
      [](const FirefoxProfile& p, FirefoxReport& r) {
        RestoreProfile(p, {kCustomPrefsBackup, kPrefsBackup}, {kCustomUserBackup, kUserBackup}, r);
      },
      found);
  return Outcome(result, found, report);
}

}  // namespace velomar
