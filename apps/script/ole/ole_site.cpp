#include "apps/script/ole/ole_site.h"

#include "com/com_values.h"
#include "host/activex/com_boundary.h"

namespace dnovar::script {

namespace {

const ErrorOrigin kSiteOrigin{"dnovar script", &DnovarContainerSite::iid};

}  // namespace

HRESULT OleSite::QueryInterface(REFIID wanted, void** out) {
  if (out != nullptr && wanted == DnovarContainerSite::iid) {
    *out = static_cast<DnovarContainerSite*>(this);
    AddRef();
    return S_OK;
  }
  return OleClientSite::QueryInterface(wanted, out);
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
