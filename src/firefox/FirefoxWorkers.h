#pragma once
// The Firefox workers: what a worker shares with the thread that started
// it, starting it and waiting for it. The worker writes its result and
// problems, then sets the done flag (release); the starter reads them only
// once the flag is set (acquire).
#include <cstdint>
#include <functional>

#include "firefox/FirefoxReport.h"
#include "platform/MessageWait.h"

namespace velomar {

struct FirefoxPassShared {
  std::int32_t bandwidthKbps = 0;
  bool passResult = false;
  FirefoxReport report;
  platform::DoneFlag passDone;

  // Every way a worker ends comes through here: result first, then the flag.
  void Finish(bool result) {
    passResult = result;
    passDone.Set();
  }
};

// Runs body on a new thread, where it must end by calling shared.Finish, and
// waits for the flag while handling messages.
void RunFirefoxWorker(FirefoxPassShared& shared, const std::function<void()>& body);

// Runs a worker body so that an exception, too, ends it with a false result.
void FinishAfter(FirefoxPassShared& shared, const std::function<bool()>& body);

}  // namespace velomar
