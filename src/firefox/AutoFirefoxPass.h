#pragma once
// The automatic preference pass: every profile's user.js rewritten with the
// automatic set, on a worker thread.
#include <cstdint>
#include <string>
#include <utility>

#include "firefox/FirefoxProgress.h"
#include "firefox/FirefoxReport.h"

namespace velomar {

struct FirefoxPassShared;

// Applies the automatic set for the machine class to dir/user.js: each
// preference announced and paced, then one row per preference handled; the
// bar moves on by unitsPerPreference before each of the 27 (none when 0).
// An existing user.js keeps every line that sets none of the set's
// preferences; a new one is sorted. False (with the problem added, and
// shown as a row) when user.js cannot be read or written, or when Firefox
// would not read a line added at its end; it is then unchanged.
bool EditUserPrefs(const std::string& directory, int machineClass, PassProgress& progress,
                   std::int32_t unitsPerPreference, FileProblems& problems);

// The worker of the automatic pass: the machine class, the backups and the
// edit of every profile, reporting its progress from its own thread.
class FirefoxPassWorker {
 public:
  FirefoxPassWorker(FirefoxPassShared& shared, PassProgress& progress, FirefoxProgressPlan plan)
      : shared_(shared), progress_(progress), plan_(std::move(plan)) {}
  void Execute();

 private:
  bool Walk();
  FirefoxPassShared& shared_;
  PassProgress& progress_;
  FirefoxProgressPlan plan_;
};

// Runs the automatic pass on a FirefoxPassWorker and waits for it, processing
// messages; the plan says how it moves the bar. True when the worker got
// through profiles.ini and every file could be read and written. A profile
// Firefox runs with is left alone (report->leftWhileRunning).
bool RunFirefoxPass(std::int32_t bandwidthKbps, const FirefoxProgressPlan& plan, PassProgress& progress,
                    FirefoxReport* report = nullptr);

}  // namespace velomar
