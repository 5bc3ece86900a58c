// The script host's side of hosting dnovar.ocx in place: the shared container site, which also
// answers our DnovarContainerSite (the script's clock, its error log, beeps and the user's turn
// in a modal form), and the sinks for the control's events and property-change notifications.
// Everything they hear goes to one listener, until the host disconnects the site; a control that
// still holds one of them then reaches nobody.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <string>

#include "apps/common/ole/container_site.h"
#include "host/activex/private_interfaces.h"
#include "platform/date.h"
#include "platform/error.h"

namespace dnovar::script {

class OleSiteListener : public ole::SiteOwner {
 public:
  virtual DateSerial today() = 0;
  virtual void error_contained(const RuntimeError& error) = 0;
  virtual void beeped() = 0;
  virtual bool modal_idle(HWND form) = 0;
  virtual void property_changed(DISPID id) = 0;
  virtual void event_raised(DISPID id) = 0;
};

// The listener the sinks share with the site; null once the host has disconnected them.
struct SinkConnection {
  OleSiteListener* listener;
};

class OleSite final : public ole::ContainerSite, public DnovarContainerSite {
 public:
  // `place` is the window the control is activated in, `area` its place there.
  OleSite(OleSiteListener& listener, HWND place, RECT area);

  // The two sinks the control is advised with.
  IDispatch* event_sink() { return event_sink_.get(); }
  IPropertyNotifySink* notify_sink() { return notify_sink_.get(); }
  // The host lets go of the control: the site and its parts tell it nothing any more.
  void disconnect();

  // One object: DnovarContainerSite is answered besides the container site's interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ContainerSite::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ContainerSite::Release(); }

  // DnovarContainerSite: S_FALSE (the system's today, nothing done) once disconnected.
  HRESULT STDMETHODCALLTYPE Today(DATE* today) override;
  HRESULT STDMETHODCALLTYPE ErrorContained(LONG number, BSTR description) override;
  HRESULT STDMETHODCALLTYPE Beeped() override;
  HRESULT STDMETHODCALLTYPE ModalIdle(HWND form, BOOL* acted) override;

 private:
  OleSiteListener* listener() const { return sinks_->listener; }

  std::shared_ptr<SinkConnection> sinks_;
  ComRef<IDispatch> event_sink_;
  ComRef<IPropertyNotifySink> notify_sink_;
};

}  // namespace dnovar::script
