#include "platform/Files.h"

#include <mutex>
#include <set>

namespace velomar::platform {

namespace {

// Counted, so that nested holds end with the outermost. A dry run's worker
// threads write too, so the folders are kept under a lock.
struct Holds {
  std::mutex mutex;
  int count = 0;
  std::set<std::string> foldersWouldBeMade;
};

Holds& TheHolds() {
  static Holds holds;
  return holds;
}

// "a/b/" and "a/b" are one folder.
std::string FolderKey(const std::string& path) {
  std::string key = path;
  while (key.size() > 1 && (key.back() == '/' || key.back() == '\\')) key.pop_back();
  return key;
}

}  // namespace

ScopedNoWrites::ScopedNoWrites() {
  std::lock_guard<std::mutex> lock(TheHolds().mutex);
  ++TheHolds().count;
}

ScopedNoWrites::~ScopedNoWrites() {
  std::lock_guard<std::mutex> lock(TheHolds().mutex);
  if (--TheHolds().count == 0) TheHolds().foldersWouldBeMade.clear();
}

bool WritesHeld() {
  std::lock_guard<std::mutex> lock(TheHolds().mutex);
  return TheHolds().count > 0;
}

void RememberFolderWouldBeMade(const std::string& path) {
  std::lock_guard<std::mutex> lock(TheHolds().mutex);
  if (TheHolds().count > 0) TheHolds().foldersWouldBeMade.insert(FolderKey(path));
}

bool FolderWouldBeMade(const std::string& path) {
  std::lock_guard<std::mutex> lock(TheHolds().mutex);
  return TheHolds().foldersWouldBeMade.count(FolderKey(path)) > 0;
}

}  // namespace velomar::platform
