#include "apps/script/ole/ole_sites.h"

#include <olectl.h>

#include <utility>

#include "com/windows/com_boundary.h"
#include "com/windows/com_guid.h"
#include "com/windows/variant_bridge.h"
#include "host/type_library.h"

namespace dnovar::script {

namespace {

const ErrorOrigin kSiteOrigin{"dnovar script", &DnovarContainerSite::iid};
const ErrorOrigin kSinkOrigin{"dnovar script", &IID_IDispatch};

// The id of the control's events interface (__Dnovar), which the event sink answers besides
// IDispatch.
struct DnovarEvents {
  static constexpr GUID iid = windows_guid(kDnovarEventsId);
};

// An IDispatch of the container's own: GetIDsOfNames and Invoke are the object's, the type
// information it has none of.
template <typename... Entries>
class ContainerDispatch : public ComObject<Entries...> {
 public:
  explicit ContainerDispatch(std::shared_ptr<SiteConnection> connection)
      : connection_(std::move(connection)) {}
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out != nullptr) *out = nullptr;
    return DISP_E_BADINDEX;
  }

 protected:
  OleSiteListener* listener() const { return connection_->listener; }

 private:
  std::shared_ptr<SiteConnection> connection_;
};

// The extender: the properties a container adds to each control; here its Name.
class Extender final : public ContainerDispatch<IDispatch> {
 public:
  using ContainerDispatch::ContainerDispatch;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (names == nullptr || ids == nullptr) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count != 1 || lstrcmpiW(names[0], L"Name") != 0) return DISP_E_UNKNOWNNAME;
    ids[0] = kName;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id != kName || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (result != nullptr) VariantInit(result);
    return com_boundary(kSinkOrigin, [&] {
      if (listener() == nullptr) return E_UNEXPECTED;
      std::string name;
      try {
        name = listener()->extender_name();
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
};

// Hears the control's events (__Dnovar).
class EventSink final : public ContainerDispatch<Answers<IDispatch, DnovarEvents>> {
 public:
  using ContainerDispatch::ContainerDispatch;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return com_boundary(kSinkOrigin, [&] {
      if (listener() != nullptr) listener()->event_raised(id);
      return S_OK;
    });
  }
};

class NotifySink final : public ComObject<IPropertyNotifySink> {
 public:
  explicit NotifySink(std::shared_ptr<SiteConnection> connection)
      : connection_(std::move(connection)) {}
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
    return com_boundary(kSinkOrigin, [&] {
      if (connection_->listener != nullptr) connection_->listener->property_changed(id);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

 private:
  std::shared_ptr<SiteConnection> connection_;
};

// A new part of the site, as the interface the site hands out.
template <typename Interface, typename Part>
ComRef<Interface> make_part(const std::shared_ptr<SiteConnection>& connection) {
  return ComRef<Interface>::adopt(make_com<Part>(connection).detach());
}

}  // namespace

OleSite::OleSite(OleSiteListener& listener, HWND place, RECT area)
    : connection_(std::make_shared<SiteConnection>(SiteConnection{&listener})),
      place_(place),
      area_(area),
      extender_(make_part<IDispatch, Extender>(connection_)),
      event_sink_(make_part<IDispatch, EventSink>(connection_)),
      notify_sink_(make_part<IPropertyNotifySink, NotifySink>(connection_)) {}

HRESULT OleSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT OleSite::GetContainer(IOleContainer** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT OleSite::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = place_;
  return S_OK;
}

HRESULT OleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  // No frame and no document window of their own: the control sits on a plain form.
  if (frame != nullptr) *frame = nullptr;
  if (document != nullptr) *document = nullptr;
  if (position != nullptr) *position = area_;
  if (clip != nullptr) *clip = area_;
  if (info != nullptr) {
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(place_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT OleSite::GetExtendedControl(IDispatch** out) {
  return extender_.copy_to(out);
}

HRESULT OleSite::Today(DATE* today) {
  if (today == nullptr) return E_POINTER;
  if (connection_->listener == nullptr) return S_FALSE;
  return com_boundary(kSiteOrigin, [&] {
    *today = connection_->listener->today();
    return S_OK;
  });
}

HRESULT OleSite::ErrorContained(LONG number, BSTR description) {
  return com_boundary(kSiteOrigin, [&] {
    if (connection_->listener == nullptr) return S_FALSE;
    connection_->listener->error_contained(RuntimeError(number, utf8_from_bstr(description)));
    return S_OK;
  });
}

HRESULT OleSite::Beeped() {
  return com_boundary(kSiteOrigin, [&] {
    if (connection_->listener == nullptr) return S_FALSE;
    connection_->listener->beeped();
    return S_OK;
  });
}

HRESULT OleSite::ModalIdle(HWND form, BOOL* acted) {
  if (acted != nullptr) *acted = FALSE;
  return com_boundary(kSiteOrigin, [&] {
    const bool posted = connection_->listener != nullptr && connection_->listener->modal_idle(form);
    if (acted != nullptr) *acted = posted ? TRUE : FALSE;
    return S_OK;
  });
}

}  // namespace dnovar::script
