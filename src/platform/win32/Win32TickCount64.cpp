// The posix-thread runtime (winpthreads) imports kernel32!GetTickCount64,
// which Windows XP does not export, so a program that imported it would not
// even start there. Defining the import slot here satisfies the runtime's
// reference at link time (every program links with -u on the slot, see the
// top CMakeLists.txt), and the slot points to TickCount64.
#include "platform/win32/Win32TickCount64.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/Win32EntryPoint.h"

namespace velomar::platform {

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

// Callers on any thread: a compare-and-swap keeps the carried wraps
// consistent.
std::uint64_t WidenedTickCount() {
  static std::atomic<std::uint64_t> last{0};
  std::uint64_t seen = last.load(std::memory_order_relaxed);
  for (;;) {
    const std::uint64_t widened = WidenTickCount(seen, GetTickCount());
    if (last.compare_exchange_weak(seen, widened, std::memory_order_relaxed)) return widened;
  }
}

ULONGLONG WINAPI TickCount64Entry() { return TickCount64(); }

}  // namespace

std::uint64_t WidenTickCount(std::uint64_t last, std::uint32_t now) {
  std::uint64_t widened = (last & ~0xFFFFFFFFull) | now;
  if (widened < last) widened += 0x100000000ull;
  return widened;
}

std::uint64_t TickCount64() {
  static const auto system = EntryPoint<TickCount64Function>(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
  return system ? system() : WidenedTickCount();
}

}  // namespace velomar::platform

// The import slot under the name the runtime refers to.
#if defined(_WIN64)
#define VELOMAR_TICK_COUNT_64_SLOT "__imp_GetTickCount64"
#else
#define VELOMAR_TICK_COUNT_64_SLOT "__imp__GetTickCount64@0"
#endif
extern "C" {
ULONGLONG(WINAPI* velomar_tick_count_64_slot)
() __asm__(VELOMAR_TICK_COUNT_64_SLOT) = &velomar::platform::TickCount64Entry;
}
