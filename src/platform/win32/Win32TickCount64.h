#pragma once
// GetTickCount64 for Windows XP, which has only the 32-bit GetTickCount.
#include <cstdint>

namespace velomar::platform {

// A 32-bit tick count widened against the last widened value seen: the
// count wraps every 49.7 days, and a smaller low half means it has.
std::uint64_t WidenTickCount(std::uint64_t last, std::uint32_t now);

// What the program's GetTickCount64 answers: the system's where it has
// one, the widened GetTickCount where it does not.
std::uint64_t TickCount64();

}  // namespace velomar::platform
