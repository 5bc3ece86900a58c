// Owns one reference to a Windows COM interface pointer, with the shape of the component model's
// ComponentPtr (component/unknown.h): `adopt` takes over a reference the caller holds, `share` adds
// one, and `query<Other>()` asks the same object for another interface by its type.
#pragma once

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace dnovar {

// The id of a COM interface: its own `iid` member where it declares one (the project's own
// interfaces), else the id the system headers attach to it.
template <typename Interface>
const IID& interface_id() {
  if constexpr (requires { Interface::iid; }) {
    return Interface::iid;
  } else {
    return __uuidof(Interface);
  }
}

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ComRef(std::nullptr_t) {}
  static ComRef adopt(Interface* pointer) {
    ComRef result;
    result.pointer_ = pointer;
    return result;
  }
  static ComRef share(Interface* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return adopt(pointer);
  }
  ComRef(const ComRef& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComRef() { reset(); }

  void reset() noexcept {
    if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  Interface* get() const noexcept { return pointer_; }
  Interface* operator->() const noexcept { return pointer_; }
  Interface& operator*() const noexcept { return *pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }
  // Gives the reference to the caller.
  Interface* detach() noexcept { return std::exchange(pointer_, nullptr); }
  // For out-parameters: releases the current pointer and returns where to store a new one.
  Interface** put() noexcept {
    reset();
    return &pointer_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
  // Hands a reference of its own to a caller's out-parameter (S_OK, or E_POINTER for none).
  HRESULT copy_to(Interface** out) const noexcept {
    if (out == nullptr) return E_POINTER;
    *out = pointer_;
    if (pointer_ != nullptr) pointer_->AddRef();
    return S_OK;
  }

  // Another interface of the same object, or null when it has none.
  template <typename Other>
  ComRef<Other> query() const {
    ComRef<Other> result;
    if (pointer_ != nullptr) pointer_->QueryInterface(interface_id<Other>(), result.put_void());
    return result;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace dnovar
