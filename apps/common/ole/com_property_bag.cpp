#include "apps/common/ole/com_property_bag.h"

#include "host/activex/com_boundary.h"
#include "host/activex/variant_bridge.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar::ole {

namespace {

const ErrorOrigin kOrigin{"dnovar container", &IID_IPropertyBag};

}  // namespace

HRESULT ComPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (name == nullptr || value == nullptr) return E_POINTER;
  if (bag_ == nullptr) return E_UNEXPECTED;
  return com_boundary(kOrigin, [&] {
    const Variant* stored = bag_->find(utf8_text(name));
    if (stored == nullptr) return E_INVALIDARG;
    // On entry the caller's value holds only the type it asks for; there is nothing to free.
    const VARTYPE wanted = V_VT(value);
    ComVariant converted = com_from_variant(*stored);
    if (wanted != VT_EMPTY && wanted != V_VT(converted.get())) {
      const HRESULT result = VariantChangeType(converted.get(), converted.get(), 0, wanted);
      if (FAILED(result)) return result;
    }
    *value = converted.detach();
    return S_OK;
  });
}

HRESULT ComPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
  if (name == nullptr || value == nullptr) return E_POINTER;
  if (bag_ == nullptr) return E_UNEXPECTED;
  return com_boundary(kOrigin, [&] {
    try {
      bag_->set(utf8_text(name), variant_from_com(*value));
    } catch (const RuntimeError&) {
      return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
  });
}

}  // namespace dnovar::ole
