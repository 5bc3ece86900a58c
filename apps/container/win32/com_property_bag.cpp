#include "apps/container/win32/com_property_bag.h"

#include "com/windows/variant_bridge.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar::container {

HRESULT ComPropertyBag::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IPropertyBag) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IPropertyBag*>(this);
  AddRef();
  return S_OK;
}

HRESULT ComPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (name == nullptr || value == nullptr) return E_POINTER;
  const Variant* stored = bag_.find(utf8_text(name));
  if (stored == nullptr) return E_INVALIDARG;
  const VARTYPE wanted = value->vt;
  VARIANT converted;
  try {
    converted = com_from_variant(*stored).detach();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (wanted != VT_EMPTY && wanted != converted.vt) {
    const HRESULT result = VariantChangeType(&converted, &converted, 0, wanted);
    if (FAILED(result)) {
      VariantClear(&converted);
      return result;
    }
  }
  *value = converted;
  return S_OK;
}

HRESULT ComPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
  if (name == nullptr || value == nullptr) return E_POINTER;
  try {
    bag_.set(utf8_text(name), variant_from_com(*value));
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace dnovar::container
