#pragma once
// Whether Firefox runs with a profile (ProfileLock_win and ProfileLock_posix).
#include <string>

namespace velomar {

// True while Firefox runs with the profile in `directory`, by the lock it
// holds there (Windows: "parent.lock" open without sharing; elsewhere the
// fcntl lock on ".parentlock" and the "lock" link naming its process). A
// lock left behind by a Firefox that is gone does not count.
bool FirefoxRunsWithProfile(const std::string& directory);

}  // namespace velomar
