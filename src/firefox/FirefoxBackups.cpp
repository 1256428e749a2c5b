// The line copy behind every backup, and the three Firefox undo operations.
#include "firefox/FirefoxPassShared.h"
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
  if (!list.ReadError.empty()) {
    problems.push_back(list.ReadError);
    return false;
  }
  for (const auto& profile : list.Profiles) {
    if (!profile.Resolved()) return false;
    step(profile);
  }
  return true;
}

// Copies the backup over its target when the backup exists.
void RestoreIfPresent(const std::string& directory, const char* backup, const char* target, FileProblems& problems) {
  const std::string source = FirefoxPath(directory, backup);
  if (platform::FileExists(source)) CopyLines(source, FirefoxPath(directory, target), problems);
}

// prefs.js and then user.js from their backups, each when its backup
// exists. Firefox would write its prefs.js over the restored one when it
// exits, so a profile it runs with is left whole rather than half restored.
void RestoreProfile(const FirefoxProfile& profile, const char* prefsBackup, const char* userBackup,
                    FileProblems& problems, RestartNotes& notes) {
  const std::string& directory = profile.Directory;
  const bool running = FirefoxRunsWithProfile(directory);
  if (running && platform::FileExists(FirefoxPath(directory, prefsBackup))) {
    problems.push_back(CloseFirefoxFirstMessage(profile));
    return;
  }
  RestoreIfPresent(directory, prefsBackup, kPrefsJs, problems);
  const bool writesUserJs = platform::FileExists(FirefoxPath(directory, userBackup));
  RestoreIfPresent(directory, userBackup, kUserJs, problems);
  if (running && writesUserJs) notes.push_back(RestartFirefoxMessage(profile));
}

bool RestoreFromBackups(FileProblems& problems, RestartNotes& notes) {
  const std::size_t before = problems.size();
  const bool completed = WalkUntilUnresolved(
      [&](const FirefoxProfile& profile) { RestoreProfile(profile, kPrefsBackup, kUserBackup, problems, notes); },
      problems);
  return completed && problems.size() == before;
}

bool Outcome(bool completed, const FileProblems& found, const RestartNotes& foundNotes, FileProblems* problems,
             RestartNotes* notes) {
  if (problems) problems->insert(problems->end(), found.begin(), found.end());
  if (notes) notes->insert(notes->end(), foundNotes.begin(), foundNotes.end());
  return completed && found.empty();
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

bool BackUpOnce(const std::string& source, const std::string& backup, FileProblems& problems) {
  if (platform::FileExists(backup)) return true;
  if (platform::FileExists(source)) return CopyLines(source, backup, problems);
  std::string error;
  if (platform::ReplaceFileContents(backup, "", error)) return true;
  problems.push_back(error);
  return false;
}

void TFFRThread::Execute() {
  FinishAfter(shared_, [this] { return RestoreFromBackups(shared_.problems, shared_.notes); });
}

bool RestoreFirefoxBackup(FileProblems* problems, RestartNotes* notes) {
  FirefoxPassShared shared;
  RunFirefoxWorker(shared, [&] { TFFRThread(shared).Execute(); });
  return Outcome(shared.PassResult, shared.problems, shared.notes, problems, notes);
}

bool ClearUserPrefsFile(FileProblems* problems, RestartNotes* notes) {
  FileProblems found;
  RestartNotes foundNotes;
  const bool completed = WalkUntilUnresolved(
      [&](const FirefoxProfile& profile) {
        const std::string userJs = FirefoxPath(profile.Directory, kUserJs);
        if (!platform::FileExists(FirefoxPath(profile.Directory, kUserBackup)) || !platform::FileExists(userJs)) return;
        std::string error;
        // Emptied, not removed: Firefox then finds a user.js with nothing in it.
        if (!platform::ReplaceFileContents(userJs, "", error))
          found.push_back(error);
        else if (FirefoxRunsWithProfile(profile.Directory))
          foundNotes.push_back(RestartFirefoxMessage(profile));
      },
      found);
  return Outcome(completed, found, foundNotes, problems, notes);
}

bool RestoreCustomFirefoxBackup(FileProblems* problems, RestartNotes* notes) {
  FileProblems found;
  RestartNotes foundNotes;
  const bool completed = WalkUntilUnresolved(
      [&](const FirefoxProfile& profile) {
        RestoreProfile(profile, kCustomPrefsBackup, kCustomUserBackup, found, foundNotes);
      },
      found);
  return Outcome(completed, found, foundNotes, problems, notes);
}

}  // namespace velomar
