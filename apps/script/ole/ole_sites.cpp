#include "apps/script/ole/ole_sites.h"

#include <olectl.h>

#include <utility>

#include "host/activex/com_boundary.h"
#include "host/activex/com_guid.h"
#include "host/activex/variant_bridge.h"
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

// A sink of the script host's own, called late-bound, that reports to the site's listener.
template <typename... Entries>
class ContainerDispatch : public ole::LateBoundDispatch<Entries...> {
 public:
  explicit ContainerDispatch(std::shared_ptr<SinkConnection> connection)
      : connection_(std::move(connection)) {}

 protected:
  OleSiteListener* listener() const { return connection_->listener; }

 private:
  std::shared_ptr<SinkConnection> connection_;
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
  explicit NotifySink(std::shared_ptr<SinkConnection> connection)
      : connection_(std::move(connection)) {}
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
    return com_boundary(kSinkOrigin, [&] {
      if (connection_->listener != nullptr) connection_->listener->property_changed(id);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

 private:
  std::shared_ptr<SinkConnection> connection_;
};

// A new part of the site, as the interface the site hands out.
template <typename Interface, typename Part>
ComRef<Interface> make_part(const std::shared_ptr<SinkConnection>& connection) {
  return ComRef<Interface>::adopt(make_com<Part>(connection).detach());
}

}  // namespace

OleSite::OleSite(OleSiteListener& listener, HWND place, RECT area)
    : ContainerSite(listener, place, nullptr),
      sinks_(std::make_shared<SinkConnection>(SinkConnection{&listener})),
      event_sink_(make_part<IDispatch, EventSink>(sinks_)),
      notify_sink_(make_part<IPropertyNotifySink, NotifySink>(sinks_)) {
  set_position(area);
}

void OleSite::disconnect() {
  ContainerSite::disconnect();
  sinks_->listener = nullptr;
}

HRESULT OleSite::QueryInterface(REFIID wanted, void** out) {
  if (out != nullptr && wanted == DnovarContainerSite::iid) {
    *out = static_cast<DnovarContainerSite*>(this);
    AddRef();
    return S_OK;
  }
  return ContainerSite::QueryInterface(wanted, out);
}

HRESULT OleSite::Today(DATE* today) {
  if (today == nullptr) return E_POINTER;
  if (listener() == nullptr) return S_FALSE;
  return com_boundary(kSiteOrigin, [&] {
    *today = listener()->today();
    return S_OK;
  });
}

HRESULT OleSite::ErrorContained(LONG number, BSTR description) {
  return com_boundary(kSiteOrigin, [&] {
    if (listener() == nullptr) return S_FALSE;
    listener()->error_contained(RuntimeError(number, utf8_from_bstr(description)));
    return S_OK;
  });
}

HRESULT OleSite::Beeped() {
  return com_boundary(kSiteOrigin, [&] {
    if (listener() == nullptr) return S_FALSE;
    listener()->beeped();
    return S_OK;
  });
}

HRESULT OleSite::ModalIdle(HWND form, BOOL* acted) {
  if (acted != nullptr) *acted = FALSE;
  return com_boundary(kSiteOrigin, [&] {
    const bool posted = listener() != nullptr && listener()->modal_idle(form);
    if (acted != nullptr) *acted = posted ? TRUE : FALSE;
    return S_OK;
  });
}

}  // namespace dnovar::script
