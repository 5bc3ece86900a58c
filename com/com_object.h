// The one base of every Windows COM object the project implements:
//
//   class Sink final : public ComObject<IPropertyNotifySink> { ... };
//   class Control final : public ComObject<Answers<DnovarDual, IDispatch>, IOleObject, ...> {...};
//   ComRef<Sink> sink = make_com<Sink>(...);
//
// QueryInterface answers IUnknown and every listed interface, each for its own id and for the
// ids its `Answers` entry adds (the base interfaces it stands for); IUnknown is answered with the
// first listed interface, so every query for it gives the same pointer. The count is atomic:
// COM may release an object on another thread than the one that made it. While an object lives
// it counts in module_state, so the module that made it is not unloaded under it.
//
// A part of another object (a connection point of its control) is made with its owner instead:
// it counts its references on the owner, whose lifetime it shares, and is never deleted by them.
#pragma once

#include <unknwn.h>

#include <atomic>
#include <utility>

#include "com/com_ref.h"
#include "platform/module_state.h"

namespace dnovar {

// An interface answered also for the ids of `Bases` (IDispatch for a dual interface, IPersist
// for IPersistStreamInit).
template <typename Interface, typename... Bases>
struct Answers {};

namespace com_object_detail {

template <typename Entry>
struct EntryOf {
  using Interface = Entry;
  static bool answers(REFIID iid) { return iid == interface_id<Entry>(); }
};

template <typename Implemented, typename... Bases>
struct EntryOf<Answers<Implemented, Bases...>> {
  using Interface = Implemented;
  static bool answers(REFIID iid) {
    return iid == interface_id<Implemented>() || ((iid == interface_id<Bases>()) || ...);
  }
};

template <typename First, typename...>
struct FirstOf {
  using Type = First;
};

}  // namespace com_object_detail

template <typename... Entries>
class ComObject : public com_object_detail::EntryOf<Entries>::Interface... {
  using First = typename com_object_detail::EntryOf<
      typename com_object_detail::FirstOf<Entries...>::Type>::Interface;

 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  // (`wanted`, not `iid`: the project's own interfaces declare a member of that name.)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (wanted == __uuidof(IUnknown)) {
      *out = static_cast<IUnknown*>(static_cast<First*>(this));
    } else if (!find<Entries...>(wanted, out)) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    if (owner_ != nullptr) return owner_->AddRef();
    return ++references_;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    if (owner_ != nullptr) return owner_->Release();
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
  }

 protected:
  ComObject() noexcept { module_state::object_created(); }
  explicit ComObject(IUnknown& owner) noexcept : owner_(&owner) {}
  virtual ~ComObject() {
    if (owner_ == nullptr) module_state::object_destroyed();
  }

 private:
  template <typename Entry, typename... More>
  bool find(REFIID wanted, void** out) {
    using Traits = com_object_detail::EntryOf<Entry>;
    if (Traits::answers(wanted)) {
      *out = static_cast<typename Traits::Interface*>(this);
      return true;
    }
    if constexpr (sizeof...(More) > 0) {
      return find<More...>(wanted, out);
    } else {
      return false;
    }
  }

  std::atomic<ULONG> references_{0};
  IUnknown* owner_ = nullptr;
};

// A new object with the one reference the caller owns; throws std::bad_alloc as `new` does.
template <typename Object, typename... Args>
ComRef<Object> make_com(Args&&... args) {
  auto* object = new Object(std::forward<Args>(args)...);
  object->AddRef();
  return ComRef<Object>::adopt(object);
}

}  // namespace dnovar
