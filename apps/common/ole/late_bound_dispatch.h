// The base of a container's own IDispatch objects (the extender, the ambient properties, event
// sinks): called late-bound only, by GetIDsOfNames and Invoke, which the object gives; it has no
// type information to hand out.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "com/com_object.h"

namespace dnovar::ole {

template <typename... Entries>
class LateBoundDispatch : public ComObject<Entries...> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out != nullptr) *out = nullptr;
    return DISP_E_BADINDEX;
  }
};

}  // namespace dnovar::ole
