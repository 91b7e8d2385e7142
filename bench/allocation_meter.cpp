#include "allocation_meter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Signed, so that a block freed here but allocated before counting began cannot wrap around.
std::atomic<long long> held{0};
std::atomic<long long> peak{0};
std::atomic<long long> count{0};

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) {
        return nullptr;
    }
    count.fetch_add(1, std::memory_order_relaxed);
    long long now = held += static_cast<long long>(malloc_usable_size(block));
    long long highest = peak.load();
    while (now > highest && !peak.compare_exchange_weak(highest, now)) {
    }
    return block;
}

void Release(void* block) {
    if (block) {
        held -= static_cast<long long>(malloc_usable_size(block));
        std::free(block);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* block = Allocate(size)) {
        return block;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    Release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Release(block);
}

namespace kalverin::bench {

AllocationMeter::AllocationMeter() : start_(held.load()), startCount_(count.load()) {
    peak = start_;
}

std::size_t AllocationMeter::PeakBytes() const {
    long long above = peak.load() - start_;
    return above > 0 ? static_cast<std::size_t>(above) : 0;
}

long long AllocationMeter::Allocations() const {
    return count.load() - startCount_;
}

}  // namespace kalverin::bench
