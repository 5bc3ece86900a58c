// The base of every interface: interface queries by GUID and reference counting.
//
// Interfaces are abstract classes; an object implements several by deriving from each (see
// object.h). A pointer handed out by query_interface carries one reference the receiver releases.
// Host and module are built by the same compiler, so the C++ object layout is the binary
// interface; nothing else (no exceptions, no RTTI) crosses it.
#pragma once

#include <cstdint>
#include <utility>

#include "component/guid.h"
#include "component/status.h"

namespace dnovar {

class Unknown {
 public:
  static constexpr Guid iid = guid_literal("{00000000-0000-0000-C000-000000000046}");

  // Sets *out to the object's `interface_id` interface with one reference added, or to null and
  // returns no_interface. Asking any interface of an object for Unknown gives the same pointer.
  virtual Status query_interface(const Guid& interface_id, void** out) = 0;
  virtual std::uint32_t add_ref() = 0;
  // The object deletes itself when the count reaches zero. Returns the remaining count.
  virtual std::uint32_t release() = 0;

 protected:
  ~Unknown() = default;  // objects are destroyed by release(), never through an interface
};

// Owns one reference to an interface pointer.
template <typename Interface>
class ComponentPtr {
 public:
  ComponentPtr() = default;
  ComponentPtr(std::nullptr_t) {}
  // Takes over a reference the caller already holds (from query_interface or create_instance).
  static ComponentPtr adopt(Interface* pointer) {
    ComponentPtr result;
    result.pointer_ = pointer;
    return result;
  }
  // Adds a reference of its own.
  static ComponentPtr share(Interface* pointer) {
    if (pointer != nullptr) pointer->add_ref();
    return adopt(pointer);
  }
  ComponentPtr(const ComponentPtr& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->add_ref();
  }
  ComponentPtr(ComponentPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComponentPtr& operator=(ComponentPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComponentPtr() { reset(); }

  void reset() {
    if (Interface* old = std::exchange(pointer_, nullptr)) old->release();
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // Gives up ownership of the reference to the caller.
  Interface* detach() { return std::exchange(pointer_, nullptr); }
  // For out-parameters: releases the current pointer and returns where to store a new one.
  void** put() {
    reset();
    return reinterpret_cast<void**>(&pointer_);
  }

  // Another interface of the same object, or null when it has none.
  template <typename Other>
  ComponentPtr<Other> query() const {
    ComponentPtr<Other> result;
    if (pointer_ != nullptr) pointer_->query_interface(Other::iid, result.put());
    return result;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace dnovar
