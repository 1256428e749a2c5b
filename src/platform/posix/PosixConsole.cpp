#include "platform/Console.h"

namespace velomar::platform {

// Terminals here take UTF-8 as it is.
struct ScopedConsoleText::Streams {};

ScopedConsoleText::ScopedConsoleText() = default;
ScopedConsoleText::~ScopedConsoleText() = default;

}  // namespace velomar::platform
