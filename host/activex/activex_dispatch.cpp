// IDispatch and the dual _Dnovar: both end in the component's invoke with the type library's
// dispatch ids, so late and early binding behave alike.
#include <cstring>

#include "com/windows/com_guid.h"
#include "com/windows/variant_bridge.h"
#include "host/activex/activex_control.h"
#include "host/activex/module_library.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

const TypeInfo& automation_type() {
  return dnovar_type_library().types.at(kDnovarInterfaceIndex);
}

// Tells a caller that bound to the vtable what went wrong (IErrorInfo).
void set_error_info(const ExceptionInfo& info) {
  ComRef<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(created.put()))) return;
  const std::wstring source = wide_text(info.source);
  const std::wstring description = wide_text(info.description);
  const GUID interface_id = windows_guid(kDnovarInterfaceId);
  created->SetGUID(interface_id);
  created->SetSource(const_cast<LPOLESTR>(source.c_str()));
  created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
  ComRef<IErrorInfo> error = created.query<IErrorInfo>();
  SetErrorInfo(0, error.get());
}

bool is_missing(const VARIANT& value) {
  return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

// Which of a member's functions a dispatch call means. Scripts ask for a value with METHOD and
// PROPERTYGET together, and call a method that returns one the same way.
bool choose_kind(DISPID id, WORD flags, InvokeKind& kind) {
  const TypeInfo& type = automation_type();
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    kind = InvokeKind::property_put;
    return find_function(type, id, kind) != nullptr;
  }
  if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) &&
      find_function(type, id, InvokeKind::method) != nullptr) {
    kind = InvokeKind::method;
    return true;
  }
  kind = InvokeKind::property_get;
  return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) &&
         find_function(type, id, kind) != nullptr;
}

}  // namespace

HRESULT ActiveXControl::call(DISPID id, InvokeKind kind, std::vector<Variant>& args,
                             Variant* result, EXCEPINFO* exception) {
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    start_if_unloaded();
    return calendar_->invoke(id, kind, args, result, &info);
  });
  if (succeeded(status)) return S_OK;
  if (status != Status::exception) return static_cast<HRESULT>(status);
  if (info.source.empty()) info.source = kDnovarProgId;
  const auto code = static_cast<HRESULT>(control_error_status(info.number));
  if (exception == nullptr) {
    set_error_info(info);
    return code;
  }
  // wCode stays 0: the error number travels in scode, as 0x800A0000 | number.
  *exception = EXCEPINFO{};
  exception->bstrSource = Bstr(info.source).detach();
  exception->bstrDescription = Bstr(info.description).detach();
  exception->scode = code;
  return DISP_E_EXCEPTION;
}

HRESULT ActiveXControl::call_vtable(DISPID id, InvokeKind kind, std::vector<Variant> args,
                                    Variant* result) {
  return call(id, kind, args, result, nullptr);
}

HRESULT ActiveXControl::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ActiveXControl::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  if (const HRESULT loaded = load_module_library(library_); FAILED(loaded)) return loaded;
  return library_->GetTypeInfoOfGuid(windows_guid(kDnovarInterfaceId), out);
}

HRESULT ActiveXControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
  DispatchId id = kDispidUnknown;
  const Status status = calendar_->get_ids_of_names(utf8_text(names[0]), &id);
  ids[0] = id;
  // Parameters are passed by position only.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (failed(status) || count > 1) return DISP_E_UNKNOWNNAME;
  return S_OK;
}

HRESULT ActiveXControl::Invoke(DISPID id, REFIID interface_id, LCID, WORD flags,
                               DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                               UINT* argument_error) {
  if (interface_id != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  DISPPARAMS none{};
  if (parameters == nullptr) parameters = &none;
  InvokeKind kind;
  if (!choose_kind(id, flags, kind)) return DISP_E_MEMBERNOTFOUND;
  const UINT named = parameters->cNamedArgs;
  if (kind == InvokeKind::property_put) {
    if (named != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT ||
        parameters->cArgs != 1) {
      return named > 1 ? DISP_E_NONAMEDARGS : DISP_E_BADPARAMCOUNT;
    }
  } else if (named != 0) {
    return DISP_E_NONAMEDARGS;
  }

  // Arguments come last first; a left-out optional one is marked missing.
  std::vector<Variant> args;
  // Trailing missing arguments are left out altogether (rgvarg[0] is the last argument).
  const UINT given = parameters->cArgs;
  UINT trailing_missing = 0;
  while (trailing_missing < given && is_missing(parameters->rgvarg[trailing_missing]))
    ++trailing_missing;
  for (UINT position = given; position > trailing_missing; --position) {
    const UINT index = position - 1;
    try {
      args.push_back(variant_from_com(parameters->rgvarg[index]));
    } catch (const RuntimeError& error) {
      if (argument_error != nullptr) *argument_error = index;
      return error.number() == error_number::overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    }
  }

  Variant value;
  const HRESULT status = call(id, kind, args, &value, exception);
  if (SUCCEEDED(status) && result != nullptr && kind != InvokeKind::property_put) {
    VariantInit(result);
    try {
      *result = com_from_variant(value).detach();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  return status;
}

// The dual interface: each entry converts its own typed arguments.

namespace {
// The dispatch id of a member, from the type library's table (written down only there).
DISPID id_of(const char* name) {
  return find_function(automation_type(), name)->id;
}

template <typename Out, typename Convert>
HRESULT give(HRESULT status, const Variant& value, Out* out, Convert convert) {
  if (SUCCEEDED(status)) *out = convert(value);
  return status;
}
}  // namespace

#define DNOVAR_SHORT_PROPERTY(Name)                                                            \
  HRESULT ActiveXControl::get_##Name(short* value) {                                           \
    if (value == nullptr) return E_POINTER;                                                    \
    Variant got;                                                                               \
    return give(call_vtable(id_of(#Name), InvokeKind::property_get, {}, &got), got, value,     \
                [](const Variant& v) { return v.to_i2(); });                                   \
  }                                                                                            \
  HRESULT ActiveXControl::put_##Name(short value) {                                            \
    return call_vtable(id_of(#Name), InvokeKind::property_put, {Variant::i2(value)}, nullptr); \
  }
DNOVAR_SHORT_PROPERTY(Dtyd)
DNOVAR_SHORT_PROPERTY(Dtyd1)
DNOVAR_SHORT_PROPERTY(Dlow)
DNOVAR_SHORT_PROPERTY(Dhigh)
DNOVAR_SHORT_PROPERTY(Dplus)
#undef DNOVAR_SHORT_PROPERTY

HRESULT ActiveXControl::get_Svatky(VARIANT_BOOL* value) {
  if (value == nullptr) return E_POINTER;
  Variant got;
  return give(call_vtable(id_of("Svatky"), InvokeKind::property_get, {}, &got), got, value,
              [](const Variant& v) { return com_bool(v.to_bool() != 0); });
}

HRESULT ActiveXControl::put_Svatky(VARIANT_BOOL value) {
  return call_vtable(id_of("Svatky"), InvokeKind::property_put, {Variant::boolean(value != 0)},
                     nullptr);
}

HRESULT ActiveXControl::Aktualizuj(short* k) {
  // Optional: a caller that leaves it out passes no pointer.
  std::vector<Variant> args;
  if (k != nullptr) args.push_back(Variant::i2(*k));
  return call_vtable(id_of("Aktualizuj"), InvokeKind::method, std::move(args), nullptr);
}

HRESULT ActiveXControl::get_Caption(BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  Variant got;
  const HRESULT status = call_vtable(id_of("Caption"), InvokeKind::property_get, {}, &got);
  if (FAILED(status)) return status;
  try {
    *value = Bstr(got.to_string()).detach();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT ActiveXControl::put_Caption(BSTR value) {
  return call_vtable(id_of("Caption"), InvokeKind::property_put,
                     {Variant::string(utf8_from_bstr(value))}, nullptr);
}

HRESULT ActiveXControl::get_VyberColor(OLE_COLOR* value) {
  if (value == nullptr) return E_POINTER;
  Variant got;
  return give(call_vtable(id_of("VyberColor"), InvokeKind::property_get, {}, &got), got, value,
              [](const Variant& v) { return static_cast<OLE_COLOR>(v.to_i4()); });
}

HRESULT ActiveXControl::put_VyberColor(OLE_COLOR value) {
  // OLE_COLOR is unsigned; the control reads the same 32 bits as a signed integer.
  return call_vtable(id_of("VyberColor"), InvokeKind::property_put,
                     {Variant::i4(static_cast<Int32>(value))}, nullptr);
}

HRESULT ActiveXControl::get_Datum(DATE* value) {
  if (value == nullptr) return E_POINTER;
  Variant got;
  return give(call_vtable(id_of("Datum"), InvokeKind::property_get, {}, &got), got, value,
              [](const Variant& v) { return v.to_date(); });
}

HRESULT ActiveXControl::put_Datum(DATE value) {
  return call_vtable(id_of("Datum"), InvokeKind::property_put, {Variant::date(value)}, nullptr);
}

HRESULT ActiveXControl::Velikonoce(short* year, DATE* result) {
  if (year == nullptr || result == nullptr) return E_POINTER;
  Variant got;
  return give(call_vtable(id_of("Velikonoce"), InvokeKind::method, {Variant::i2(*year)}, &got), got,
              result, [](const Variant& v) { return v.to_date(); });
}

HRESULT ActiveXControl::get_Enabled(VARIANT_BOOL* value) {
  if (value == nullptr) return E_POINTER;
  Variant got;
  return give(call_vtable(kDispidEnabled, InvokeKind::property_get, {}, &got), got, value,
              [](const Variant& v) { return com_bool(v.to_bool() != 0); });
}

HRESULT ActiveXControl::put_Enabled(VARIANT_BOOL value) {
  return call_vtable(kDispidEnabled, InvokeKind::property_put, {Variant::boolean(value != 0)},
                     nullptr);
}

HRESULT ActiveXControl::ShowAbout() {
  return call_vtable(kDispidAboutBox, InvokeKind::method, {}, nullptr);
}

HRESULT ActiveXControl::InterfaceSupportsErrorInfo(REFIID interface_id) {
  return interface_id == windows_guid(kDnovarInterfaceId) ? S_OK : S_FALSE;
}

HRESULT ActiveXControl::GetClassInfo(ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (const HRESULT loaded = load_module_library(library_); FAILED(loaded)) return loaded;
  return library_->GetTypeInfoOfGuid(windows_guid(kDnovarClassId), out);
}

HRESULT ActiveXControl::GetGUID(DWORD kind, GUID* out) {
  if (out == nullptr) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *out = GUID_NULL;
    return E_INVALIDARG;
  }
  *out = windows_guid(kDnovarEventsId);
  return S_OK;
}

}  // namespace dnovar
