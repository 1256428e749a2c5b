#pragma once
// What a Firefox operation has to tell besides its result: the files it
// could not read or write, the profiles Firefox runs with, and those whose
// folders are missing.
#include <string>
#include <vector>

namespace velomar {

// One message per file that could not be read or written, naming it.
using FileProblems = std::vector<std::string>;

// Profiles are named by ProfileLabel, a missing one by MissingProfileLabel.
struct FirefoxReport {
  FileProblems problems;
  // Left alone because Firefox runs with them: it keeps its preferences in
  // memory and writes them into prefs.js when it ends.
  std::vector<std::string> leftWhileRunning;
  // Listed in profiles.ini, but their folders are not there (undo only).
  std::vector<std::string> missingProfiles;
  int profilesChanged = 0;  // profiles whose files were written

  bool Complete() const { return problems.empty() && leftWhileRunning.empty() && missingProfiles.empty(); }
  void Add(const FirefoxReport& other) {
    problems.insert(problems.end(), other.problems.begin(), other.problems.end());
    leftWhileRunning.insert(leftWhileRunning.end(), other.leftWhileRunning.begin(), other.leftWhileRunning.end());
    missingProfiles.insert(missingProfiles.end(), other.missingProfiles.begin(), other.missingProfiles.end());
    profilesChanged += other.profilesChanged;
  }
};

}  // namespace velomar
