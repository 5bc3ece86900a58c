#include "tests/activex/test_site.h"

#include <olectl.h>

namespace dnovar {

namespace {

constexpr DISPID kNameId = 1;

}  // namespace

HRESULT TestSite::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleControlSite) {
    *out = static_cast<IOleControlSite*>(this);
  } else if (iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT TestSite::GetWindow(HWND* out) {
  *out = window_;
  return S_OK;
}

HRESULT TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                   LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO) {
  *frame = nullptr;
  *doc = nullptr;
  *position = RECT{0, 0, 300, 251};
  *clip = *position;
  return S_OK;
}

HRESULT TestSite::GetExtendedControl(IDispatch** out) {
  AddRef();
  *out = this;
  return S_OK;
}

HRESULT TestSite::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT TestSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1 || wcscmp(names[0], L"Name") != 0) return DISP_E_UNKNOWNNAME;
  ids[0] = kNameId;
  return S_OK;
}

HRESULT TestSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                         UINT*) {
  if (result == nullptr) return E_POINTER;
  VariantInit(result);
  if (id == DISPID_AMBIENT_USERMODE) {
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = user_mode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  if (id == kNameId) {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(kName);
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace dnovar
