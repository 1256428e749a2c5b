// The line copy behind every backup, and the three Firefox undo operations.
#include "firefox/FirefoxPassShared.h"
#include "platform/Files.h"

namespace velomar {

namespace {

// The walk of the undo operations: unlike the passes, a profile that does
// not resolve ends it, and the profiles listed after it are not visited.
// True when every section was visited.
bool WalkUntilUnresolved(const std::function<void(const std::string&)>& step, FileProblems& problems) {
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return false;
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  if (!list.ReadError.empty()) {
    problems.push_back(list.ReadError);
    return false;
  }
  for (const auto& profile : list.Profiles) {
    if (!profile.Resolved()) return false;
    step(profile.Directory);
  }
  return true;
}

// Copies the backup over its target when the backup exists.
void RestoreIfPresent(const std::string& directory, const char* backup, const char* target, FileProblems& problems) {
  const std::string source = FirefoxPath(directory, backup);
  if (platform::FileExists(source)) CopyLines(source, FirefoxPath(directory, target), problems);
}

bool RestoreFromBackups(FileProblems& problems) {
  const std::size_t before = problems.size();
  const bool completed = WalkUntilUnresolved(
      [&](const std::string& directory) {
        RestoreIfPresent(directory, kPrefsBackup, kPrefsJs, problems);
        RestoreIfPresent(directory, kUserBackup, kUserJs, problems);
      },
      problems);
  return completed && problems.size() == before;
}

bool Outcome(bool completed, const FileProblems& found, FileProblems* problems) {
  if (problems) problems->insert(problems->end(), found.begin(), found.end());
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

void TFFRThread::Execute() {
  FinishAfter(shared_, [this] { return RestoreFromBackups(shared_.problems); });
}

bool RestoreFirefoxBackup(FileProblems* problems) {
  FirefoxPassShared shared;
  RunFirefoxWorker(shared, [&] { TFFRThread(shared).Execute(); });
  if (problems) problems->insert(problems->end(), shared.problems.begin(), shared.problems.end());
  return shared.PassResult;
}

bool ClearUserPrefsFile(FileProblems* problems) {
  FileProblems found;
  const bool completed = WalkUntilUnresolved(
      [&](const std::string& directory) {
        const std::string userJs = FirefoxPath(directory, kUserJs);
        if (!platform::FileExists(FirefoxPath(directory, kUserBackup)) || !platform::FileExists(userJs)) return;
        std::string error;
        // Emptied, not removed: Firefox then finds a user.js with nothing in it.
        if (!platform::ReplaceFileContents(userJs, "", error)) found.push_back(error);
      },
      found);
  return Outcome(completed, found, problems);
}

bool RestoreCustomFirefoxBackup(FileProblems* problems) {
  FileProblems found;
  const bool completed = WalkUntilUnresolved(
      [&](const std::string& directory) {
        RestoreIfPresent(directory, kCustomPrefsBackup, kPrefsJs, found);
        RestoreIfPresent(directory, kCustomUserBackup, kUserJs, found);
      },
      found);
  return Outcome(completed, found, problems);
}

}  // namespace velomar
