// The backups the passes take, and the three Firefox undo operations, which
// take back Velomar's preference lines and nothing else.
#include "firefox/FirefoxBackups.h"

#include <functional>

#include "firefox/FirefoxProfiles.h"
#include "firefox/FirefoxWorkers.h"
#include "firefox/PrefLines.h"
#include "firefox/ProfileLock.h"
#include "platform/Files.h"

namespace velomar {

namespace {

// The walk of the undo operations: unlike the passes, a profile that does
// not resolve ends it, and the profiles listed after it are not visited.
// True when every section was visited.
bool WalkUntilUnresolved(const std::function<void(const FirefoxProfile&)>& step, FileProblems& problems) {
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return false;
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  if (!list.readError.empty()) {
    problems.push_back(list.readError);
    return false;
  }
  for (const auto& profile : list.profiles) {
    if (!profile.Resolved()) return false;
    step(profile);
  }
  return true;
}

// One file of a profile as an undo would leave it: its lines now and
// after, and whether it must be written.
struct FileUndo {
  std::string path;
  bool exists = false;
  Lines after;
  bool Changes(const Lines& before) const { return after != before && (exists || !after.empty()); }
};

// The file with Velomar's lines as its backup holds them; nothing to do
// when the backup is missing. False (problem added) when a file cannot be read.
bool PlanRestore(const std::string& directory, const char* backup, const char* target, FileUndo& undo, bool& changes,
                 FileProblems& problems) {
  changes = false;
  undo.path = FirefoxPath(directory, target);
  const std::string backupPath = FirefoxPath(directory, backup);
  if (!platform::FileExists(backupPath)) return true;
  Lines saved, current;
  std::string error;
  undo.exists = platform::FileExists(undo.path);
  if (!LoadLines(backupPath, saved, error) || (undo.exists && !LoadLines(undo.path, current, error))) {
    problems.push_back(error);
    return false;
  }
  undo.after = WithVelomarPrefsOf(current, saved);
  changes = undo.Changes(current);
  return true;
}

bool Write(const FileUndo& undo, FileProblems& problems) {
  std::string error;
  if (SaveLines(undo.path, undo.after, error)) return true;
  problems.push_back(error);
  return false;
}

// prefs.js and then user.js from their backups. Firefox writes its prefs.js
// over the restored one when it exits, so a profile it runs with is left
// whole rather than half restored; user.js it reads when it starts.
void RestoreProfile(const FirefoxProfile& profile, const char* prefsBackup, const char* userBackup,
                    FirefoxReport& report) {
  FileUndo prefs, user;
  bool prefsChange = false, userChange = false;
  if (!PlanRestore(profile.directory, prefsBackup, kPrefsJs, prefs, prefsChange, report.problems) ||
      !PlanRestore(profile.directory, userBackup, kUserJs, user, userChange, report.problems))
    return;
  const bool running = FirefoxRunsWithProfile(profile.directory);
  if (running && prefsChange) {
    report.leftWhileRunning.push_back(ProfileLabel(profile));
    return;
  }
  bool written = false;
  if (prefsChange) written = Write(prefs, report.problems) || written;
  if (userChange && Write(user, report.problems)) {
    written = true;
    if (running) report.restartNeeded.push_back(ProfileLabel(profile));
  }
  if (written) ++report.profilesChanged;
}

bool Undo(const std::function<void(const FirefoxProfile&, FirefoxReport&)>& step, FirefoxReport& report) {
  const bool completed = WalkUntilUnresolved([&](const FirefoxProfile& p) { step(p, report); }, report.problems);
  return completed && report.Complete();
}

bool Outcome(bool result, const FirefoxReport& found, FirefoxReport* report) {
  if (report) report->Add(found);
  return result;
}

}  // namespace

bool CopyLines(const std::string& source, const std::string& target, FileProblems& problems) {
  Lines lines;
  std::string error;
  if (!LoadLines(source, lines, error) || !SaveLines(target, lines, error)) {
    problems.push_back(error);
    return false;
  }
  return true;
}

bool BackUpOnce(std::initializer_list<std::string> sources, const std::string& backup, FileProblems& problems) {
  if (platform::FileExists(backup)) return true;
  for (const auto& source : sources)
    if (platform::FileExists(source)) return CopyLines(source, backup, problems);
  std::string error;
  if (platform::ReplaceFileContents(backup, "", error)) return true;
  problems.push_back(error);
  return false;
}

void FirefoxRestoreWorker::Execute() {
  FinishAfter(shared_, [this] {
    return Undo([](const FirefoxProfile& p, FirefoxReport& r) { RestoreProfile(p, kPrefsBackup, kUserBackup, r); },
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
        Lines lines;
        std::string error;
        if (!LoadLines(userJs, lines, error)) {
          r.problems.push_back(error);
          return;
        }
        const Lines kept = WithoutVelomarPrefs(lines);
        if (kept == lines) return;
        if (!SaveLines(userJs, kept, error)) {
          r.problems.push_back(error);
          return;
        }
        ++r.profilesChanged;
        if (FirefoxRunsWithProfile(profile.directory)) r.restartNeeded.push_back(ProfileLabel(profile));
      },
      found);
  return Outcome(result, found, report);
}

bool RestoreCustomFirefoxBackup(FirefoxReport* report) {
  FirefoxReport found;
  const bool result = Undo(
      [](const FirefoxProfile& p, FirefoxReport& r) { RestoreProfile(p, kCustomPrefsBackup, kCustomUserBackup, r); },
      found);
  return Outcome(result, found, report);
}

}  // namespace velomar
