#pragma once
// What a Firefox operation has to tell besides its result: the files it
// could not read or write, and the profiles Firefox runs with.
#include <string>
#include <vector>

namespace velomar {

// One message per file that could not be read or written, naming it.
using FileProblems = std::vector<std::string>;

// Profiles are named by ProfileLabel.
struct FirefoxReport {
  FileProblems problems;
  // Left alone because Firefox runs with them: a restore would write
  // prefs.js, which Firefox writes over when it exits.
  std::vector<std::string> leftWhileRunning;
  // Their user.js was written while Firefox runs with them: the change
  // takes effect when Firefox is restarted.
  std::vector<std::string> restartNeeded;
  int profilesChanged = 0;  // profiles whose files were written

  bool Complete() const { return problems.empty() && leftWhileRunning.empty(); }
  void Add(const FirefoxReport& other) {
    problems.insert(problems.end(), other.problems.begin(), other.problems.end());
    leftWhileRunning.insert(leftWhileRunning.end(), other.leftWhileRunning.begin(), other.leftWhileRunning.end());
    restartNeeded.insert(restartNeeded.end(), other.restartNeeded.begin(), other.restartNeeded.end());
    profilesChanged += other.profilesChanged;
  }
};

}  // namespace velomar
