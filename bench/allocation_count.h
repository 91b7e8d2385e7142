#pragma once

// Counts the program's heap allocations: linking allocation_count.cpp replaces the global
// operator new of the benchmark program with one that counts, at the cost of one relaxed atomic
// increment per allocation.

#include <cstdint>

namespace kalverin::bench {

// The allocations made through operator new since the program started.
std::int64_t AllocationCount();

}  // namespace kalverin::bench
