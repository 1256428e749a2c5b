#pragma once
// What a Firefox worker shares with the thread that started it. The worker
// writes its result and problems, then sets the done flag (release); the
// starter reads them only once the flag is set (acquire).
#include <functional>
#include <initializer_list>

#include "firefox/Unit_Firefox_Optimize.h"
#include "platform/MessageWait.h"

namespace velomar {

struct FirefoxPassShared {
  std::int32_t BandwidthKbps = 0;
  bool SkipTcpPass = false;
  std::int32_t ProgressStep = 0;
  bool PassResult = false;
  FirefoxReport report;
  platform::DoneFlag PassDone;

  // Every way a worker ends comes through here: result first, then the flag.
  void Finish(bool result) {
    PassResult = result;
    PassDone.Set();
  }
};

// A backup that undo brings back, written only while none exists, so that
// it keeps the file as it was before the first pass: a line copy of the
// first of `sources` that exists (the other mode's backup of the same file
// comes before the file itself), an empty file when none does. False with
// the problem added when a file cannot be read or written.
bool BackUpOnce(std::initializer_list<std::string> sources, const std::string& backup, FileProblems& problems);

// Runs body on a new thread, where it must end by calling shared.Finish, and
// waits for the flag while handling messages.
void RunFirefoxWorker(FirefoxPassShared& shared, const std::function<void()>& body);

// Runs a worker body so that an exception, too, ends it with a false result.
void FinishAfter(FirefoxPassShared& shared, const std::function<bool()>& body);

}  // namespace velomar
