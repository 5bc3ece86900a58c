// IObjectSafety: the options a host may ask for are the ones object_safety.h promises; the
// control keeps what the host enabled and answers it back.
#include "host/activex/activex_control.h"
#include "host/activex/com_guid.h"
#include "host/activex/object_safety.h"
#include "host/type_library.h"

namespace dnovar {

namespace {

constexpr ErrorOrigin kSafetyOrigin{kDnovarProgId, &IID_IObjectSafety};

}  // namespace

DWORD supported_safety_options(REFIID iid) {
  if (iid == IID_IDispatch || iid == windows_guid(kDnovarInterfaceId))
    return INTERFACESAFE_FOR_UNTRUSTED_CALLER;
  if (iid == IID_IPersistPropertyBag || iid == IID_IPersistStreamInit || iid == IID_IPersist)
    return INTERFACESAFE_FOR_UNTRUSTED_DATA;
  return 0;
}

HRESULT ActiveXControl::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) {
  return guarded(kSafetyOrigin, [&] {
    if (supported == nullptr || enabled == nullptr) return E_POINTER;
    *supported = supported_safety_options(iid);
    *enabled = *supported & enabled_safety_;
    return *supported == 0 ? E_NOINTERFACE : S_OK;
  });
}

HRESULT ActiveXControl::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) {
  return guarded(kSafetyOrigin, [&] {
    const DWORD supported = supported_safety_options(iid);
    if (supported == 0) return E_NOINTERFACE;
    // Asking for an option the interface lacks is refused; clearing one is harmless.
    if (mask & enabled & ~supported) return E_FAIL;
    mask &= supported;
    enabled_safety_ = (enabled_safety_ & ~mask) | (enabled & mask);
    return S_OK;
  });
}

}  // namespace dnovar
