// The script host's client site for dnovar.ocx: the shared one (apps/common/ole/ole_client_site.h),
// which also answers our DnovarContainerSite: the script's clock, its error log, beeps and the
// user's turn in a modal form. Everything it hears goes to one listener until the host
// disconnects the site; a control that still holds it then reaches nobody.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <string>

#include "apps/common/ole/ole_client_site.h"
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
};

class OleSite final : public ole::OleClientSite, public DnovarContainerSite {
 public:
  // `place` is the window the control is activated in.
  OleSite(OleSiteListener& listener, HWND place)
      : OleClientSite(listener, place, nullptr), listener_(listener) {}

  // One object: DnovarContainerSite is answered besides the client site's interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return OleClientSite::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return OleClientSite::Release(); }

  // DnovarContainerSite: S_FALSE (the system's today, nothing done) once disconnected.
  HRESULT STDMETHODCALLTYPE Today(DATE* today) override;
  HRESULT STDMETHODCALLTYPE ErrorContained(LONG number, BSTR description) override;
  HRESULT STDMETHODCALLTYPE Beeped() override;
  HRESULT STDMETHODCALLTYPE ModalIdle(HWND form, BOOL* acted) override;

 private:
  // The listener while the site is connected, else null.
  OleSiteListener* listener() const { return owner() != nullptr ? &listener_ : nullptr; }

  OleSiteListener& listener_;
};

}  // namespace dnovar::script
