#include "apps/script/ole/ole_sites.h"

#include <olectl.h>

#include "com/windows/com_guid.h"
#include "com/windows/variant_bridge.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar::script {

namespace {

// An IDispatch of the container's own: GetIDsOfNames and Invoke are the object's, the type
// information it has none of.
class ContainerDispatch : public ContainerObject, public IDispatch {
 public:
  explicit ContainerDispatch(OleSiteListener& listener) : listener_(listener) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != also_answers()) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return add_ref(); }
  ULONG STDMETHODCALLTYPE Release() override { return release(); }
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
  virtual IID also_answers() const { return IID_IDispatch; }
  OleSiteListener& listener_;
};

// The extender: the properties a container adds to each control; here its Name.
class Extender final : public ContainerDispatch {
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
    try {
      const std::string name = listener_.extender_name();
      if (result != nullptr) {
        VariantInit(result);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = Bstr(name).detach();
      }
      return S_OK;
    } catch (const RuntimeError&) {
      return DISP_E_MEMBERNOTFOUND;  // a container without the extender property
    }
  }

 private:
  static constexpr DISPID kName = 1;
};

// Hears the control's events (__Dnovar).
class EventSink final : public ContainerDispatch {
 public:
  using ContainerDispatch::ContainerDispatch;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    listener_.event_raised(id);
    return S_OK;
  }

 protected:
  IID also_answers() const override { return windows_guid(kDnovarEventsId); }
};

class NotifySink final : public ContainerObject, public IPropertyNotifySink {
 public:
  explicit NotifySink(OleSiteListener& listener) : listener_(listener) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPropertyNotifySink) return E_NOINTERFACE;
    *out = static_cast<IPropertyNotifySink*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return add_ref(); }
  ULONG STDMETHODCALLTYPE Release() override { return release(); }
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
    listener_.property_changed(id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

 private:
  OleSiteListener& listener_;
};

template <typename Interface, typename Object>
ComRef<Interface> adopt(Object* object) {
  ComRef<Interface> result = ComRef<Interface>::share(object);
  object->Release();  // the creator's reference, now the ComRef's
  return result;
}

}  // namespace

OleSite::OleSite(OleSiteListener& listener, HWND place, RECT area)
    : listener_(listener),
      place_(place),
      area_(area),
      extender_(adopt<IDispatch>(new Extender(listener))),
      event_sink_(adopt<IDispatch>(new EventSink(listener))),
      notify_sink_(adopt<IPropertyNotifySink>(new NotifySink(listener))) {}

HRESULT OleSite::QueryInterface(REFIID interface_id, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (interface_id == IID_IUnknown || interface_id == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (interface_id == IID_IOleWindow || interface_id == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (interface_id == IID_IOleControlSite) {
    *out = static_cast<IOleControlSite*>(this);
  } else if (interface_id == DnovarContainerSite::iid) {
    *out = static_cast<DnovarContainerSite*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

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
  if (out == nullptr) return E_POINTER;
  *out = extender_.get();
  (*out)->AddRef();
  return S_OK;
}

HRESULT OleSite::Today(DATE* today) {
  if (today == nullptr) return E_POINTER;
  *today = listener_.today();
  return S_OK;
}

HRESULT OleSite::ErrorContained(LONG number, BSTR description) {
  listener_.error_contained(RuntimeError(number, utf8_from_bstr(description)));
  return S_OK;
}

HRESULT OleSite::Beeped() {
  listener_.beeped();
  return S_OK;
}

HRESULT OleSite::ModalIdle(HWND form, BOOL* acted) {
  const bool posted = listener_.modal_idle(form);
  if (acted != nullptr) *acted = posted ? TRUE : FALSE;
  return S_OK;
}

}  // namespace dnovar::script
