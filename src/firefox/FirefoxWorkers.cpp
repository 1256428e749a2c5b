// Starting a Firefox worker and waiting for it.
#include "firefox/FirefoxWorkers.h"

#include <exception>
#include <thread>

namespace velomar {

void RunFirefoxWorker(FirefoxPassShared& shared, const std::function<void()>& body) {
  std::thread worker(body);
  shared.passDone.WaitProcessingMessages();
  worker.join();
}

void FinishAfter(FirefoxPassShared& shared, const std::function<bool()>& body) {
  bool result = false;
  try {
    result = body();
  } catch (const std::exception& e) {
    shared.report.problems.push_back(e.what());
  } catch (...) {
    shared.report.problems.push_back("the Firefox worker stopped on an unexpected error");
  }
  shared.Finish(result);
}

}  // namespace velomar
