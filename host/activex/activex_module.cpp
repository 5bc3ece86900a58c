// dnovar.ocx: the four entry points of an in-process ActiveX control.
#include <windows.h>

#include <olectl.h>

#include "com/module_state.h"
#include "com/windows/com_guid.h"
#include "host/activex/activex_control.h"
#include "host/activex/activex_registration.h"
#include "host/activex/module_library.h"
#include "host/type_library.h"

namespace {

// The one class factory of the module; it lives as long as the module and counts no references.
class ControlFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    dnovar::ActiveXControl* control = dnovar::ActiveXControl::create();
    if (control == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = control->QueryInterface(iid, out);
    control->Release();
    return result;
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

ControlFactory factory;

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != dnovar::windows_guid(dnovar::kDnovarClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return dnovar::module_state::can_unload() ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
  return dnovar::register_control(dnovar::this_module_path());
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return dnovar::unregister_control();
}

}  // extern "C"
