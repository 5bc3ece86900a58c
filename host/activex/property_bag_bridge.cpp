#include "host/activex/property_bag_bridge.h"

#include "com/com_values.h"
#include "host/activex/com_boundary.h"
#include "host/activex/variant_bridge.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {

Variant PropertyBagBridge::read(std::string_view key, const Variant& default_value) {
  const std::wstring name = wide_text(key);
  ComVariant value;  // VT_EMPTY: the bag gives the value in the type it holds
  const HRESULT result = bag_.Read(name.c_str(), value.get(), log_);
  if (result == E_INVALIDARG) return default_value;
  if (FAILED(result)) raise_com_error(result, nullptr, "reading " + std::string(key));
  return variant_from_com(*value);
}

void PropertyBagBridge::write(std::string_view key, const Variant& value,
                              const Variant& default_value) {
  if (value.same_value(default_value)) return;
  const std::wstring name = wide_text(key);
  ComVariant stored = com_from_variant(value);
  const HRESULT result = bag_.Write(name.c_str(), stored.get());
  if (FAILED(result)) raise_com_error(result, nullptr, "writing " + std::string(key));
}

bool PropertyBagBridge::failure_recorded(std::string_view key, const RuntimeError& error) {
  if (log_ == nullptr) return false;
  const std::wstring name = wide_text(key);
  ExcepInfo info;
  // Without memory for the texts the entry names the key alone.
  report_error(error.number(), error.what(), ErrorOrigin{kDnovarProgId, &IID_IPersistPropertyBag},
               info.get());
  log_->AddError(name.c_str(), info.get());
  return true;
}

}  // namespace dnovar
