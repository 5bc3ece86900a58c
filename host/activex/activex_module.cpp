// dnovar.ocx: the four entry points of an in-process ActiveX control.
#include <windows.h>

#include <olectl.h>

#include "com/com_object.h"
#include "host/activex/activex_control.h"
#include "host/activex/activex_registration.h"
#include "host/activex/com_boundary.h"
#include "host/activex/com_guid.h"
#include "host/activex/module_library.h"
#include "host/type_library.h"
#include "platform/module_state.h"

namespace {

// The module's entry points and its factory report failures as the control's class.
constexpr dnovar::ErrorOrigin kFactoryOrigin{dnovar::kDnovarProgId, &IID_IClassFactory};

// The module's class factory, one for each DllGetClassObject: while a client holds it, it keeps
// the module loaded as any of its objects does.
class ControlFactory final : public dnovar::ComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return dnovar::com_boundary(kFactoryOrigin, [&] {
      dnovar::ComRef<dnovar::ActiveXControl> control = dnovar::ActiveXControl::create();
      if (!control) return E_OUTOFMEMORY;
      return control->QueryInterface(iid, out);
    });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      dnovar::module_state::lock();
    } else if (!dnovar::module_state::unlock()) {
      return E_UNEXPECTED;
    }
    return S_OK;
  }
};

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != dnovar::windows_guid(dnovar::kDnovarClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  return dnovar::com_boundary(
      kFactoryOrigin, [&] { return dnovar::make_com<ControlFactory>()->QueryInterface(iid, out); });
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return dnovar::module_state::can_unload() ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
  return dnovar::com_boundary(kFactoryOrigin,
                              [] { return dnovar::register_control(dnovar::this_module_path()); });
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return dnovar::com_boundary(kFactoryOrigin, [] { return dnovar::unregister_control(); });
}

}  // extern "C"
