// The module's live objects and locks: what "can unload now" asks about.
//
// Every object built on ObjectBase counts itself from construction to destruction; a host's
// lock_server(true) on a class factory counts as a lock. The counters are per module: a host
// links its own copy, and a module's copy stays private when the module exports only its entry
// points (see module_exports.map).
#pragma once

namespace dnovar::module_state {

void object_created() noexcept;
void object_destroyed() noexcept;
void lock() noexcept;
// False (and nothing changes) when no lock is held: an unbalanced unlock is the caller's fault.
bool unlock() noexcept;

long live_objects() noexcept;
long locks() noexcept;
// True when no object lives and no lock is held.
bool can_unload() noexcept;

}  // namespace dnovar::module_state
