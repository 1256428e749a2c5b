// The replaced allocation functions behind AllocationCount. They live in a
// translation unit of their own, so that no caller ever has one inlined:
// inlined, a replaced operator delete shows the compiler a free() of what
// operator new returned, which it reports as a mismatched pair. The
// library's array forms call these; its aligned forms pair with each other.
#include "support/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_allocations{0};

void* Allocate(std::size_t size) {
  ++g_allocations;
  return std::malloc(size ? size : 1);
}
}  // namespace

long velomar::test::AllocationCount() { return g_allocations; }

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
