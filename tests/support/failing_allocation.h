// The global operator new of the program that links failing_allocation.cpp, made to fail on
// request: armed with n, it lets n allocations through and fails the next one with
// std::bad_alloc, once.
#pragma once

namespace dnovar::test_memory {

void fail_allocation_after(long allocations);
// Disarms it; says whether the failure happened since it was armed.
bool allocation_failed();

}  // namespace dnovar::test_memory
