#include "platform/MemoryRegistry.h"

namespace velomar::platform {

// The memory registry answers with these codes; the sentences are those of
// an English Windows.
std::string RegErrorText(std::int32_t code) {
  switch (code) {
    case kErrorFileNotFound: return "The system cannot find the file specified.";
    case kErrorAccessDenied: return "Access is denied.";
    case kErrorInvalidParameter: return "The parameter is incorrect.";
    default: return "error " + std::to_string(code);
  }
}

Registry& SystemRegistry() {
  static MemoryRegistry registry;
  return registry;
}

}  // namespace velomar::platform
