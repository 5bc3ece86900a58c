// The container's side of hosting dnovar.ocx in place: its client site (with the in-place site,
// the control site and our DnovarContainerSite), the extender with `Name`, and the sinks for the
// control's events and property-change notifications. Everything they hear goes to one listener,
// until the host disconnects the site; a control that still holds one of them then reaches nobody.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <string>

#include "com/windows/com_object.h"
#include "host/activex/private_interfaces.h"
#include "platform/date.h"
#include "platform/error.h"

namespace dnovar::script {

class OleSiteListener {
 public:
  virtual ~OleSiteListener() = default;
  // The extender's Name; raises 438 when the container has none.
  virtual std::string extender_name() = 0;
  virtual DateSerial today() = 0;
  virtual void error_contained(const RuntimeError& error) = 0;
  virtual void beeped() = 0;
  virtual bool modal_idle(HWND form) = 0;
  virtual void property_changed(DISPID id) = 0;
  virtual void event_raised(DISPID id) = 0;
};

// The listener the site and its parts share; null once the host has disconnected them.
struct SiteConnection {
  OleSiteListener* listener;
};

class OleSite final : public ComObject<IOleClientSite, Answers<IOleInPlaceSite, IOleWindow>,
                                       IOleControlSite, DnovarContainerSite> {
 public:
  // `place` is the window the control is activated in, `area` its place there.
  OleSite(OleSiteListener& listener, HWND place, RECT area);

  // The extender, and the two sinks the control is advised with.
  IDispatch* extender() { return extender_.get(); }
  IDispatch* event_sink() { return event_sink_.get(); }
  IPropertyNotifySink* notify_sink() { return notify_sink_.get(); }
  // The host lets go of the control: the site and its parts tell it nothing any more.
  void disconnect() { connection_->listener = nullptr; }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

  // DnovarContainerSite: S_FALSE (the system's today, nothing done) once disconnected.
  HRESULT STDMETHODCALLTYPE Today(DATE* today) override;
  HRESULT STDMETHODCALLTYPE ErrorContained(LONG number, BSTR description) override;
  HRESULT STDMETHODCALLTYPE Beeped() override;
  HRESULT STDMETHODCALLTYPE ModalIdle(HWND form, BOOL* acted) override;

 private:
  std::shared_ptr<SiteConnection> connection_;
  HWND place_;
  RECT area_;
  ComRef<IDispatch> extender_;
  ComRef<IDispatch> event_sink_;
  ComRef<IPropertyNotifySink> notify_sink_;
};

}  // namespace dnovar::script
