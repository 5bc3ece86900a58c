#include "apps/common/ole/dispatch_calls.h"

#include <string>

#include "com/com_values.h"
#include "host/activex/com_boundary.h"
#include "host/activex/variant_bridge.h"
#include "platform/wide_text.h"

namespace dnovar::ole {

namespace {

DISPID id_of(IDispatch& object, std::string_view name) {
  std::wstring wide = wide_text(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  check_com(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
            "looking up " + std::string(name));
  return id;
}

}  // namespace

Variant invoke_member(IDispatch& object, DISPID id, WORD flags, const std::vector<Variant>& args,
                      std::string_view what) {
  // The arguments are owned here until the call returns; the callee reads them through `passed`,
  // which owns nothing.
  std::vector<ComVariant> converted;
  converted.reserve(args.size());
  for (auto arg = args.rbegin(); arg != args.rend(); ++arg)
    converted.push_back(com_from_variant(*arg));
  std::vector<VARIANT> passed;
  passed.reserve(converted.size());
  for (const ComVariant& arg : converted) passed.push_back(*arg);
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{passed.data(), nullptr, static_cast<UINT>(passed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &put_id;
    parameters.cNamedArgs = 1;
  }
  ComVariant result;
  ExcepInfo exception;
  UINT argument_error = 0;
  const HRESULT status = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                       flags == DISPATCH_PROPERTYPUT ? nullptr : result.get(),
                                       exception.get(), &argument_error);
  if (FAILED(status)) raise_com_error(status, &exception, what);
  return V_VT(result.get()) == VT_EMPTY ? Variant() : variant_from_com(*result);
}

Variant get_property(IDispatch& object, std::string_view name) {
  return invoke_member(object, id_of(object, name), DISPATCH_PROPERTYGET, {}, name);
}

void put_property(IDispatch& object, std::string_view name, const Variant& value) {
  invoke_member(object, id_of(object, name), DISPATCH_PROPERTYPUT, {value}, name);
}

Variant call_method(IDispatch& object, std::string_view name, const std::vector<Variant>& args) {
  return invoke_member(object, id_of(object, name), DISPATCH_METHOD, args, name);
}

}  // namespace dnovar::ole
