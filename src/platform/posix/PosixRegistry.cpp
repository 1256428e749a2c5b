#include "platform/MemoryRegistry.h"

namespace velomar::platform {

Registry& SystemRegistry() {
  static MemoryRegistry registry;
  return registry;
}

}  // namespace velomar::platform
