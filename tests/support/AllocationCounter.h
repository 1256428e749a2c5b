#pragma once
// Counts the allocations of the program that links AllocationCounter.cpp,
// which replaces the global operator new and delete, so that a suite can
// show that a reading allocates nothing.

namespace velomar::test {

// Allocations made by operator new (any form) since the program started.
long AllocationCount();

}  // namespace velomar::test
