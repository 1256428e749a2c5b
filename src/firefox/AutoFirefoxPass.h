#pragma once
// The automatic preference pass: every profile's user.js rewritten with the
// automatic set, on a worker thread.
#include <cstdint>
#include <string>

#include "firefox/FirefoxReport.h"

namespace velomar {

class WindowState;
struct FirefoxPassShared;

// Rewrites dir/user.js with the automatic set for the machine class, one log
// row per preference handled, paced by the window's PauseForDisplay and
// adding progressStep to ProgressBar_Optimize 27 times. False (with the
// problem added) when user.js cannot be read or written; it is then
// unchanged.
bool EditUserPrefs(const std::string& directory, int machineClass, WindowState& window, std::int32_t progressStep,
                   FileProblems& problems);

// The worker of the automatic pass: the machine class, the backups and the
// edit of every profile, driving the automatic window's status label,
// progress bar and log list.
class TFFOThread {
 public:
  TFFOThread(FirefoxPassShared& shared, WindowState& window) : shared_(shared), window_(window) {}
  void Execute();

 private:
  bool Walk();
  FirefoxPassShared& shared_;
  WindowState& window_;
};

// Runs the automatic pass on a TFFOThread and waits for it, processing
// messages. True when the worker got through profiles.ini and every file
// could be read and written. A profile Firefox runs with is written all the
// same (report->restartNeeded).
bool RunFirefoxPass(std::int32_t bandwidthKbps, bool skipTcpPass, WindowState& window, FirefoxReport* report = nullptr);

}  // namespace velomar
