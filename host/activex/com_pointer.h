// Owns one reference to a Windows COM interface pointer.
#pragma once

#include <unknwn.h>

#include <utility>

namespace dnovar {

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  // Adds a reference of its own.
  static ComRef share(Interface* pointer) {
    ComRef result;
    result.pointer_ = pointer;
    if (pointer != nullptr) pointer->AddRef();
    return result;
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

  void reset() {
    if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  Interface* detach() { return std::exchange(pointer_, nullptr); }
  // For out-parameters: releases the current pointer and returns where to store a new one.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  // Another interface of the same object, or null.
  template <typename Other>
  ComRef<Other> query(REFIID iid) const {
    ComRef<Other> result;
    if (pointer_ != nullptr) pointer_->QueryInterface(iid, result.put_void());
    return result;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace dnovar
