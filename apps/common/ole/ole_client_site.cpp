#include "apps/common/ole/ole_client_site.h"

#include <olectl.h>

#include <utility>

#include "host/activex/com_boundary.h"
#include "platform/error.h"

namespace dnovar::ole {

namespace {

const ErrorOrigin kExtenderOrigin{"dnovar container", &IID_IDispatch};
const ErrorOrigin kSiteOrigin{"dnovar container", &IID_IOleControlSite};

// HIMETRIC (hundredths of a millimetre) to the screen's pixels and back.
int screen_dpi(int axis) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The properties a container adds to each control; here its Name, late-bound only.
class Extender final : public LateBoundDispatch<IDispatch> {
 public:
  explicit Extender(std::shared_ptr<SiteConnection> connection)
      : connection_(std::move(connection)) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (names != nullptr && ids != nullptr && count == 1 && lstrcmpiW(names[0], L"Name") == 0) {
      ids[0] = kName;
      return S_OK;
    }
    return unknown_names(names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    // The user renames an instance in the container, never through its extender.
    if (id != kName || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (parameters != nullptr && parameters->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (result != nullptr) VariantInit(result);
    return com_boundary(kExtenderOrigin, [&] {
      SiteOwner* owner = connection_->owner;
      if (owner == nullptr) return E_UNEXPECTED;
      std::string name;
      try {
        name = owner->extender_name();
      } catch (const RuntimeError&) {
        return DISP_E_MEMBERNOTFOUND;  // a container without the extender property
      }
      if (result != nullptr) {
        V_BSTR(result) = Bstr(name).detach();
        V_VT(result) = VT_BSTR;
      }
      return S_OK;
    });
  }

 private:
  static constexpr DISPID kName = 1;
  std::shared_ptr<SiteConnection> connection_;
};

}  // namespace

OleClientSite::OleClientSite(SiteOwner& owner, HWND form, ComRef<InPlaceFrame> frame)
    : connection_(std::make_shared<SiteConnection>(SiteConnection{&owner})),
      form_(form),
      frame_(std::move(frame)),
      extender_(ComRef<IDispatch>::adopt(make_com<Extender>(connection_).detach())) {}

void OleClientSite::disconnect() {
  form_ = nullptr;
  connection_->owner = nullptr;
}

HRESULT OleClientSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;  // the form is not a linkable document
}

HRESULT OleClientSite::GetContainer(IOleContainer** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT OleClientSite::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = form_;
  return form_ != nullptr ? S_OK : E_UNEXPECTED;
}

HRESULT OleClientSite::OnInPlaceActivate() {
  in_place_active_ = true;
  return S_OK;
}

HRESULT OleClientSite::OnInPlaceDeactivate() {
  in_place_active_ = false;
  return S_OK;
}

HRESULT OleClientSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr)
    return E_POINTER;
  *frame = nullptr;
  *document = nullptr;  // the frame is the only window with a border to negotiate
  if (form_ == nullptr) return E_UNEXPECTED;
  if (frame_) *frame = ComRef<IOleInPlaceFrame>::share(frame_.get()).detach();
  *position = position_;
  GetClientRect(form_, clip);
  if (info != nullptr) {
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(form_, GA_ROOT);
    if (frame_) frame_->GetWindow(&info->hwndFrame);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT OleClientSite::OnPosRectChange(LPCRECT position) {
  if (position == nullptr) return E_POINTER;
  // The form has room for the size the control asks for: it gets it.
  position_ = *position;
  return S_OK;
}

HRESULT OleClientSite::OnControlInfoChanged() {
  return com_boundary(kSiteOrigin, [&] {
    if (owner() != nullptr) owner()->control_info_changed();
    return S_OK;
  });
}

HRESULT OleClientSite::GetExtendedControl(IDispatch** out) {
  return extender_.copy_to(out);
}

HRESULT OleClientSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
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

HRESULT OleClientSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                              VARIANT* result, EXCEPINFO*, UINT*) {
  if (id != DISPID_AMBIENT_USERMODE || !(flags & DISPATCH_PROPERTYGET))
    return DISP_E_MEMBERNOTFOUND;
  if (parameters != nullptr && parameters->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (result == nullptr) return E_POINTER;
  VariantInit(result);
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = user_mode_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

DesignTime::DesignTime(OleClientSite& site, IUnknown* control) : site_(site) {
  if (control != nullptr) control->QueryInterface(IID_IOleControl, control_.put_void());
  site_.set_user_mode(false);
  if (control_) control_->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
}

DesignTime::~DesignTime() {
  site_.set_user_mode(true);
  if (control_) control_->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
}

}  // namespace dnovar::ole
