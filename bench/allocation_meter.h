#pragma once

#include <cstddef>

namespace kalverin::bench {

// Measures the memory taken through operator new from its construction on, so a benchmark can
// show that an action allocates nothing, or that a reader's memory stays in proportion to its
// input. Linking allocation_meter.cpp replaces the global operator new and delete of the program.
class AllocationMeter {
  public:
    AllocationMeter();

    // The most bytes held at one moment since construction, beyond those held at construction.
    std::size_t PeakBytes() const;
    // The allocations made since construction.
    long long Allocations() const;

  private:
    long long start_;
    long long startCount_;
};

}  // namespace kalverin::bench
