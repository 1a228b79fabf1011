#include "bench/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> GNewCalls{0};
}  // namespace

// The counting replacement (the array form and the standard library's allocators use it; the
// library's operator delete releases with free).
void* operator new(std::size_t Size) {
  GNewCalls.fetch_add(1, std::memory_order_relaxed);
  if (void* P = std::malloc(Size ? Size : 1)) return P;
  throw std::bad_alloc();
}

namespace formwright::bench {

long AllocationCount() { return GNewCalls.load(std::memory_order_relaxed); }

}  // namespace formwright::bench
