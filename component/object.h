// A reference-counted object implementing one or more interfaces:
//
//   class Counter final : public ObjectBase<Dispatch, EventSource> { ... };
//   ComponentPtr<Dispatch> counter = make_object<Counter>(...);
//
// query_interface answers Unknown and every listed interface. Unknown is answered with the first
// listed interface, so every query for Unknown gives the same pointer, as identity
// comparison requires. The object counts itself in module_state while it lives.
#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "component/unknown.h"
#include "platform/module_state.h"

namespace dnovar {

template <typename First, typename... Rest>
class ObjectBase : public First, public Rest... {
  static_assert((std::is_base_of_v<Unknown, First> && ... && std::is_base_of_v<Unknown, Rest>),
                "every interface derives from Unknown");

 public:
  ObjectBase() noexcept { module_state::object_created(); }
  ObjectBase(const ObjectBase&) = delete;
  ObjectBase& operator=(const ObjectBase&) = delete;

  Status query_interface(const Guid& interface_id, void** out) override {
    if (out == nullptr) return Status::pointer;
    *out = nullptr;
    if (interface_id == Unknown::iid) {
      *out = static_cast<Unknown*>(static_cast<First*>(this));
    } else if (!find_interface<First, Rest...>(interface_id, out)) {
      return Status::no_interface;
    }
    add_ref();
    return Status::ok;
  }
  std::uint32_t add_ref() override { return ++references_; }
  std::uint32_t release() override {
    const std::uint32_t remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
  }

 protected:
  virtual ~ObjectBase() { module_state::object_destroyed(); }

 private:
  template <typename Interface, typename... More>
  bool find_interface(const Guid& interface_id, void** out) {
    if (interface_id == Interface::iid) {
      *out = static_cast<Interface*>(this);
      return true;
    }
    if constexpr (sizeof...(More) > 0) return find_interface<More...>(interface_id, out);
    return false;
  }

  std::atomic<std::uint32_t> references_{0};
};

// Creates an object and returns it as `Interface` with the one reference the caller owns.
template <typename Object, typename Interface = Unknown, typename... Args>
ComponentPtr<Interface> make_object(Args&&... args) {
  auto* object = new Object(std::forward<Args>(args)...);
  object->add_ref();  // held while querying, so a failed query still frees the object
  ComponentPtr<Interface> result;
  object->query_interface(Interface::iid, result.put());
  object->release();
  return result;
}

}  // namespace dnovar
