#include "apps/container/win32/ole_sites.h"

#include "apps/container/instance_name.h"
#include "com/windows/com_boundary.h"
#include "platform/error.h"

namespace dnovar::container {

namespace {

constexpr DISPID kNameId = 1;
const ErrorOrigin kExtenderOrigin{"dnovar-container", &IID_IDispatch};
const ErrorOrigin kSiteOrigin{"dnovar-container", &IID_IOleControlSite};

// HIMETRIC (hundredths of a millimetre) to the screen's pixels and back.
int screen_dpi(int axis) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

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
  return com_boundary(kExtenderOrigin, [&] {
    result->bstrVal = Bstr(name_).detach();
    result->vt = VT_BSTR;
    return S_OK;
  });
}

void Extender::set_name(std::string name) {
  if (!valid_instance_name(name))
    throw RuntimeError(error_number::invalid_property_value,
                       "Invalid property value: \"" + name + "\" is no valid name");
  name_ = std::move(name);
}

HRESULT InPlaceFrame::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = window_;
  return window_ != nullptr ? S_OK : E_UNEXPECTED;
}

HRESULT InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  if (window_ == nullptr) return object == nullptr ? S_OK : E_UNEXPECTED;
  active_ = ComRef<IOleInPlaceActiveObject>::share(object);
  return S_OK;
}

void InPlaceFrame::disconnect() {
  window_ = nullptr;
  active_.reset();
}

void ControlSiteObject::disconnect() {
  form_ = nullptr;
  listener_ = nullptr;
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
  return form_ != nullptr ? S_OK : E_UNEXPECTED;
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
  *frame = nullptr;
  *document = nullptr;  // the frame is the only window with a border to negotiate
  if (form_ == nullptr) return E_UNEXPECTED;
  *frame = ComRef<IOleInPlaceFrame>::share(frame_.get()).detach();
  *position = position_;
  GetClientRect(form_, clip);
  if (info != nullptr) {
    info->fMDIApp = FALSE;
    frame_->GetWindow(&info->hwndFrame);
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
  return com_boundary(kSiteOrigin, [&] {
    if (listener_ != nullptr) listener_->control_info_changed();
    return S_OK;
  });
}

HRESULT ControlSiteObject::GetExtendedControl(IDispatch** out) {
  if (out == nullptr) return E_POINTER;
  *out = ComRef<IDispatch>::share(extender_.get()).detach();
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
