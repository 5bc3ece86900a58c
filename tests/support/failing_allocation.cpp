#include "tests/support/failing_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations left before the one that fails; negative while nothing is armed.
std::atomic<long> allocations_before_failure{-1};

}  // namespace

namespace dnovar::test_memory {

void fail_allocation_after(long allocations) {
  allocations_before_failure = allocations;
}

bool allocation_failed() {
  return allocations_before_failure.exchange(-1) < 0;
}

}  // namespace dnovar::test_memory

// Kept in a file of their own so that no caller sees the malloc behind a new or the free behind
// a delete.
void* operator new(std::size_t size) {
  if (allocations_before_failure.load() >= 0 && allocations_before_failure.fetch_sub(1) == 0)
    throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
