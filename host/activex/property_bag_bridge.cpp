#include "host/activex/property_bag_bridge.h"

#include <cstdio>

#include "com/status.h"
#include "com/windows/variant_bridge.h"
#include "platform/wide_text.h"

namespace dnovar {

void raise_com_failure(HRESULT result, const std::string& what) {
  RuntimeError error = error_from_status(static_cast<Status>(result));
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  throw RuntimeError(error.number(), std::string(error.what()) + " (" + what + ": " + code + ")");
}

Variant PropertyBagBridge::read(std::string_view key, const Variant& default_value) {
  const std::wstring name = wide_text(key);
  VARIANT value;
  VariantInit(&value);  // VT_EMPTY: the bag gives the value in the type it holds
  const HRESULT result = bag_.Read(name.c_str(), &value, log_);
  if (result == E_INVALIDARG) return default_value;
  if (FAILED(result)) raise_com_failure(result, "reading " + std::string(key));
  struct Cleared {
    VARIANT& value;
    ~Cleared() { VariantClear(&value); }
  } cleared{value};
  return variant_from_com(value);
}

void PropertyBagBridge::write(std::string_view key, const Variant& value,
                              const Variant& default_value) {
  if (value.same_value(default_value)) return;
  const std::wstring name = wide_text(key);
  VARIANT stored = com_from_variant(value).detach();
  const HRESULT result = bag_.Write(name.c_str(), &stored);
  VariantClear(&stored);
  if (FAILED(result)) raise_com_failure(result, "writing " + std::string(key));
}

}  // namespace dnovar
