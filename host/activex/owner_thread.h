// The one prologue of every COM method of the control and its connection points:
//
//   return guarded(kOrigin, [&] { ...the method's body... });
//
// The control is apartment-threaded: its windows and state belong to the thread that made it. A
// call another thread makes with the raw pointer (no proxy) is refused at once with
// RPC_E_WRONG_THREAD, before it touches either, so it neither waits on the owner's messages nor
// races it. On the owner's thread the body runs inside the error boundary (com_boundary.h);
// IDispatch::Invoke passes its caller's EXCEPINFO, which the boundary fills. Only IUnknown's
// methods answer on any thread.
#pragma once

#include <windows.h>

#include <utility>

#include "host/activex/com_boundary.h"

namespace dnovar {

class OwnerThread {
 public:
  template <typename Body>
  HRESULT guarded(const ErrorOrigin& origin, Body&& body) const noexcept {
    return on_owner([&] { return com_boundary(origin, std::forward<Body>(body)); });
  }
  template <typename Body>
  HRESULT guarded(const ErrorOrigin& origin, EXCEPINFO* exception, Body&& body) const noexcept {
    return on_owner([&] { return dispatch_boundary(origin, exception, std::forward<Body>(body)); });
  }

 private:
  template <typename Run>
  HRESULT on_owner(Run&& run) const noexcept {
    return GetCurrentThreadId() == id_ ? run() : RPC_E_WRONG_THREAD;
  }

  const DWORD id_ = GetCurrentThreadId();
};

}  // namespace dnovar
