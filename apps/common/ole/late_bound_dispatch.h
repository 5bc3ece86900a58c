// The base of a container's own IDispatch objects (the site's ambient properties, the extender,
// the control's sinks): called late-bound only, by dispatch id through Invoke, which the object
// gives; it has no type information to hand out and knows no names, unless it says otherwise.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <algorithm>

#include "com/com_object.h"

namespace dnovar::ole {

// GetIDsOfNames for names an object does not know: DISP_E_UNKNOWNNAME with every id
// DISPID_UNKNOWN, or E_POINTER without the names or the ids.
inline HRESULT unknown_names(LPOLESTR* names, UINT count, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  std::fill_n(ids, count, DISPID_UNKNOWN);
  return DISP_E_UNKNOWNNAME;
}

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
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return unknown_names(names, count, ids);
  }
};

}  // namespace dnovar::ole
