#include "platform/module_state.h"

#include <atomic>

namespace dnovar::module_state {

namespace {
// Atomic although the control is single-threaded: a host may release objects from any thread.
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
}  // namespace

void object_created() noexcept {
  ++g_objects;
}
void object_destroyed() noexcept {
  --g_objects;
}
void lock() noexcept {
  ++g_locks;
}
bool unlock() noexcept {
  long held = g_locks.load();
  while (held > 0) {
    if (g_locks.compare_exchange_weak(held, held - 1)) return true;
  }
  return false;
}
long live_objects() noexcept {
  return g_objects.load();
}
long locks() noexcept {
  return g_locks.load();
}
bool can_unload() noexcept {
  return g_objects.load() == 0 && g_locks.load() == 0;
}

}  // namespace dnovar::module_state
