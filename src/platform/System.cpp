#include "platform/System.h"

namespace velomar::platform {

PhysicalMemory TotalPhysicalMemory() {
  const PhysicalMemory* standIn = Scoped<const PhysicalMemory>::StandIn();
  return standIn ? *standIn : QuerySystemPhysicalMemory();
}

}  // namespace velomar::platform
