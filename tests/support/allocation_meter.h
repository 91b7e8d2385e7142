#pragma once

#include <cstddef>

namespace kalverin::testing {

// Measures the memory taken through operator new from its construction on, so a test can show
// that a reader's memory stays in proportion to its input. Linking allocation_meter.cpp replaces
// the global operator new and delete of the test program; link it only where it is needed.
class AllocationMeter {
  public:
    AllocationMeter();

    // The most bytes held at one moment since construction, beyond those held at construction.
    std::size_t PeakBytes() const;

  private:
    long long start_;
};

}  // namespace kalverin::testing
