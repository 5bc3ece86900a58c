#include "apps/container/win32/dispatch_calls.h"

#include "com/com_ref.h"
#include "host/activex/com_boundary.h"
#include "host/activex/variant_bridge.h"
#include "platform/wide_text.h"

namespace dnovar::container {

namespace {

DISPID id_of(IDispatch& object, std::string_view name) {
  std::wstring wide = wide_text(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  check_com(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
            "looking up " + std::string(name));
  return id;
}

// The arguments go in reverse order, as DISPPARAMS holds them. They are owned here until the call
// returns; the callee reads them through `passed`, which owns nothing.
Variant invoke(IDispatch& object, std::string_view name, WORD flags,
               const std::vector<Variant>& args) {
  const DISPID id = id_of(object, name);
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
  if (FAILED(status)) raise_com_error(status, &exception, name);
  return V_VT(result.get()) == VT_EMPTY ? Variant() : variant_from_com(*result);
}

bool is_colour_type(ITypeInfo& owner, const TYPEDESC& type) {
  if (type.vt != VT_USERDEFINED) return false;
  ComRef<ITypeInfo> alias;
  if (FAILED(owner.GetRefTypeInfo(type.hreftype, alias.put()))) return false;
  Bstr name;
  return SUCCEEDED(alias->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)) &&
         name.utf8() == "OLE_COLOR";
}

ValueType value_type(ITypeInfo& owner, const TYPEDESC& type) {
  if (is_colour_type(owner, type)) return ValueType::colour;
  switch (type.vt) {
    case VT_I2:
      return ValueType::i2;
    case VT_I4:
      return ValueType::i4;
    case VT_R8:
      return ValueType::r8;
    case VT_BOOL:
      return ValueType::boolean;
    case VT_DATE:
      return ValueType::date;
    case VT_BSTR:
      return ValueType::string;
    default:
      return ValueType::variant;
  }
}

}  // namespace

Variant get_property(IDispatch& object, std::string_view name) {
  return invoke(object, name, DISPATCH_PROPERTYGET, {});
}

void put_property(IDispatch& object, std::string_view name, const Variant& value) {
  invoke(object, name, DISPATCH_PROPERTYPUT, {value});
}

Variant call_method(IDispatch& object, std::string_view name, const std::vector<Variant>& args) {
  return invoke(object, name, DISPATCH_METHOD, args);
}

std::string member_name(ITypeInfo* type, DISPID id) {
  Bstr name;
  if (type == nullptr ||
      FAILED(type->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr)) ||
      name.get() == nullptr)
    return std::to_string(id);
  return name.utf8();
}

std::vector<PropertyInfo> properties_of(IDispatch& object) {
  ComRef<ITypeInfo> type;
  check_com(object.GetTypeInfo(0, LOCALE_USER_DEFAULT, type.put()), "reading the type information");
  TYPEATTR* attributes = nullptr;
  check_com(type->GetTypeAttr(&attributes), "reading the type information");
  const UINT count = attributes->cFuncs;
  type->ReleaseTypeAttr(attributes);
  std::vector<PropertyInfo> properties;
  std::vector<DISPID> ids;
  std::vector<DISPID> writable;
  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(type->GetFuncDesc(i, &function))) continue;
    if (function->invkind == INVOKE_PROPERTYPUT) writable.push_back(function->memid);
    // The dispatch view gives a read accessor's type as its result; the interface view as the
    // type its one retval parameter points to.
    const TYPEDESC* result = function->cParams == 0 ? &function->elemdescFunc.tdesc : nullptr;
    if (function->cParams == 1 &&
        (function->lprgelemdescParam[0].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) &&
        function->lprgelemdescParam[0].tdesc.vt == VT_PTR)
      result = function->lprgelemdescParam[0].tdesc.lptdesc;
    if (function->invkind == INVOKE_PROPERTYGET && result != nullptr) {
      Bstr name;
      Bstr help;
      type->GetDocumentation(function->memid, name.put(), help.put(), nullptr, nullptr);
      properties.push_back({name.get() != nullptr ? name.utf8() : std::to_string(function->memid),
                            value_type(*type, *result), false, help.utf8()});
      ids.push_back(function->memid);
    }
    type->ReleaseFuncDesc(function);
  }
  for (std::size_t i = 0; i < properties.size(); ++i)
    for (const DISPID id : writable)
      if (id == ids[i]) properties[i].writable = true;
  return properties;
}

}  // namespace dnovar::container
