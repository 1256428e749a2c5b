#include "platform/System.h"

namespace velomar::platform {

namespace {

const PhysicalMemory* g_standIn = nullptr;

}  // namespace

PhysicalMemory TotalPhysicalMemory() { return g_standIn ? *g_standIn : QuerySystemPhysicalMemory(); }

ScopedPhysicalMemory::ScopedPhysicalMemory(PhysicalMemory answer) : answer_(answer), previous_(g_standIn) {
  g_standIn = &answer_;
}

ScopedPhysicalMemory::~ScopedPhysicalMemory() { g_standIn = previous_; }

}  // namespace velomar::platform
