#include "apps/container/win32/control_properties.h"

#include "com/com_ref.h"
#include "com/com_values.h"
#include "host/activex/com_boundary.h"

namespace dnovar::container {

namespace {

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
