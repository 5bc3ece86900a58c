#include "host/activex/object_hold.h"

#include <windows.h>

#include <map>

#include "platform/module_state.h"

namespace dnovar {

namespace {

// Holds given back later, by their timers; the thread that made a control uses it alone.
std::map<UINT_PTR, IUnknown*>& pending_holds() {
  static std::map<UINT_PTR, IUnknown*> pending;
  return pending;
}

void give_back(IUnknown& object) {
  object.Release();
  module_state::unlock();
}

void CALLBACK give_back_later(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const auto found = pending_holds().find(timer);
  if (found == pending_holds().end()) return;
  IUnknown* object = found->second;
  pending_holds().erase(found);
  give_back(*object);
}

// The count of references on `object`, read by adding one and taking it back.
ULONG references_of(IUnknown& object) {
  object.AddRef();
  return object.Release();
}

}  // namespace

ObjectHold::ObjectHold(IUnknown* object) noexcept : object_(object) {
  if (object_ == nullptr) return;
  module_state::lock();
  object_->AddRef();
}

ObjectHold::~ObjectHold() {
  if (object_ == nullptr) return;
  if (references_of(*object_) == 1) {
    // Every message a modal loop dispatches reaches a thread timer, so the object goes as soon
    // as its thread pumps again; until then the module lock keeps its code loaded.
    const UINT_PTR timer = SetTimer(nullptr, 0, 0, &give_back_later);
    if (timer != 0) {
      try {
        pending_holds().emplace(timer, object_);
        return;
      } catch (...) {
        KillTimer(nullptr, timer);
      }
    }
  }
  give_back(*object_);
}

}  // namespace dnovar
