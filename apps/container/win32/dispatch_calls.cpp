#include "apps/container/win32/dispatch_calls.h"

#include "apps/container/win32/ole_failure.h"
#include "com/windows/com_ref.h"
#include "com/windows/variant_bridge.h"
#include "platform/wide_text.h"

namespace dnovar::container {

namespace {

DISPID id_of(IDispatch& object, std::string_view name) {
  std::wstring wide = wide_text(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  check_ole(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
            "looking up " + std::string(name));
  return id;
}

// The arguments go in reverse order, as DISPPARAMS holds them; each is cleared after the call.
Variant invoke(IDispatch& object, std::string_view name, WORD flags,
               const std::vector<Variant>& args) {
  const DISPID id = id_of(object, name);
  std::vector<VARIANT> converted;
  converted.reserve(args.size());
  for (auto arg = args.rbegin(); arg != args.rend(); ++arg)
    converted.push_back(com_from_variant(*arg).detach());
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{converted.data(), nullptr, static_cast<UINT>(converted.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &put_id;
    parameters.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  UINT argument_error = 0;
  const HRESULT status =
      object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                    flags == DISPATCH_PROPERTYPUT ? nullptr : &result, &exception, &argument_error);
  for (VARIANT& arg : converted) VariantClear(&arg);
  if (status == DISP_E_EXCEPTION) raise_exception_info(exception);
  check_ole(status, std::string(name));
  struct Cleared {
    VARIANT& value;
    ~Cleared() { VariantClear(&value); }
  } cleared{result};
  return result.vt == VT_EMPTY ? Variant() : variant_from_com(result);
}

bool is_colour_type(ITypeInfo& owner, const TYPEDESC& type) {
  if (type.vt != VT_USERDEFINED) return false;
  ComRef<ITypeInfo> alias;
  if (FAILED(owner.GetRefTypeInfo(type.hreftype, alias.put()))) return false;
  BSTR name = nullptr;
  if (FAILED(alias->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) return false;
  const bool colour = name != nullptr && std::wstring_view(name) == L"OLE_COLOR";
  SysFreeString(name);
  return colour;
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
  BSTR name = nullptr;
  if (type == nullptr || FAILED(type->GetDocumentation(id, &name, nullptr, nullptr, nullptr)) ||
      name == nullptr)
    return std::to_string(id);
  std::string result = utf8_text(name);
  SysFreeString(name);
  return result;
}

std::vector<PropertyInfo> properties_of(IDispatch& object) {
  ComRef<ITypeInfo> type;
  check_ole(object.GetTypeInfo(0, LOCALE_USER_DEFAULT, type.put()), "reading the type information");
  TYPEATTR* attributes = nullptr;
  check_ole(type->GetTypeAttr(&attributes), "reading the type information");
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
      BSTR name = nullptr;
      BSTR help = nullptr;
      type->GetDocumentation(function->memid, &name, &help, nullptr, nullptr);
      properties.push_back({name != nullptr ? utf8_text(name) : std::to_string(function->memid),
                            value_type(*type, *result), false,
                            help != nullptr ? utf8_text(help) : std::string()});
      ids.push_back(function->memid);
      SysFreeString(name);
      SysFreeString(help);
    }
    type->ReleaseFuncDesc(function);
  }
  for (std::size_t i = 0; i < properties.size(); ++i)
    for (const DISPID id : writable)
      if (id == ids[i]) properties[i].writable = true;
  return properties;
}

}  // namespace dnovar::container
