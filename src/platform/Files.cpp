#include "platform/Files.h"

#include <atomic>

namespace velomar::platform {

namespace {
// Counted, so that nested holds end with the outermost.
std::atomic<int> g_holds{0};
}  // namespace

ScopedNoWrites::ScopedNoWrites() { ++g_holds; }
ScopedNoWrites::~ScopedNoWrites() { --g_holds; }

bool WritesHeld() { return g_holds.load() > 0; }

}  // namespace velomar::platform
