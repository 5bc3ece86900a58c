#include "apps/container/win32/ole_sites.h"

#include "apps/container/instance_name.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar::container {

namespace {

constexpr DISPID kNameId = 1;

// HIMETRIC (hundredths of a millimetre) to the screen's pixels and back.
int screen_dpi(int axis) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

HRESULT Extender::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

HRESULT Extender::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;  // late-bound only
  return S_OK;
}

HRESULT Extender::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT Extender::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (lstrcmpiW(names[0], L"Name") != 0 || count > 1) return DISP_E_UNKNOWNNAME;
  ids[0] = kNameId;
  return S_OK;
}

HRESULT Extender::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                         VARIANT* result, EXCEPINFO*, UINT*) {
  if (id != kNameId) return DISP_E_MEMBERNOTFOUND;
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;  // the user renames
  if (parameters != nullptr && parameters->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (result == nullptr) return S_OK;
  VariantInit(result);
  result->vt = VT_BSTR;
  result->bstrVal = SysAllocString(wide_text(name_).c_str());
  return result->bstrVal != nullptr ? S_OK : E_OUTOFMEMORY;
}

void Extender::set_name(std::string name) {
  if (!valid_instance_name(name))
    throw RuntimeError(error_number::invalid_property_value,
                       "Invalid property value: \"" + name + "\" is no valid name");
  name_ = std::move(name);
}

HRESULT InPlaceFrame::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IOleWindow && iid != IID_IOleInPlaceUIWindow &&
      iid != IID_IOleInPlaceFrame)
    return E_NOINTERFACE;
  *out = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  return S_OK;
}

HRESULT InPlaceFrame::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = window_;
  return S_OK;
}

HRESULT InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  active_ = ComRef<IOleInPlaceActiveObject>::share(object);
  return S_OK;
}

HRESULT ControlSiteObject::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleControlSite) {
    *out = static_cast<IOleControlSite*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT ControlSiteObject::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;  // the form is not a linkable document
}

HRESULT ControlSiteObject::GetContainer(IOleContainer** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT ControlSiteObject::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = form_;
  return S_OK;
}

HRESULT ControlSiteObject::OnInPlaceActivate() {
  in_place_active_ = true;
  return S_OK;
}

HRESULT ControlSiteObject::OnInPlaceDeactivate() {
  in_place_active_ = false;
  return S_OK;
}

HRESULT ControlSiteObject::GetWindowContext(IOleInPlaceFrame** frame,
                                            IOleInPlaceUIWindow** document, LPRECT position,
                                            LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr)
    return E_POINTER;
  *frame = &frame_;
  frame_.AddRef();
  *document = nullptr;  // the frame is the only window with a border to negotiate
  *position = position_;
  GetClientRect(form_, clip);
  if (info != nullptr) {
    info->fMDIApp = FALSE;
    frame_.GetWindow(&info->hwndFrame);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT ControlSiteObject::OnPosRectChange(LPCRECT position) {
  if (position == nullptr) return E_POINTER;
  // The form has room for the size the control asks for: it gets it.
  position_ = *position;
  return S_OK;
}

HRESULT ControlSiteObject::OnControlInfoChanged() {
  listener_.control_info_changed();
  return S_OK;
}

HRESULT ControlSiteObject::GetExtendedControl(IDispatch** out) {
  if (out == nullptr) return E_POINTER;
  *out = &extender_;
  extender_.AddRef();
  return S_OK;
}

HRESULT ControlSiteObject::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (himetric == nullptr || container == nullptr) return E_POINTER;
  const int dpi_x = screen_dpi(LOGPIXELSX);
  const int dpi_y = screen_dpi(LOGPIXELSY);
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    container->x = static_cast<float>(himetric->x) * static_cast<float>(dpi_x) / 2540.0f;
    container->y = static_cast<float>(himetric->y) * static_cast<float>(dpi_y) / 2540.0f;
  } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    himetric->x = static_cast<LONG>(container->x * 2540.0f / static_cast<float>(dpi_x) + 0.5f);
    himetric->y = static_cast<LONG>(container->y * 2540.0f / static_cast<float>(dpi_y) + 0.5f);
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

}  // namespace dnovar::container
