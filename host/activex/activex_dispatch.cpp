// IDispatch and the dual _Dnovar: both end in the component's invoke with the type library's
// dispatch ids, so late and early binding behave alike.
#include <string>
#include <utility>

#include "host/activex/activex_control.h"
#include "host/activex/com_boundary.h"
#include "host/activex/com_guid.h"
#include "host/activex/dispatch_arguments.h"
#include "host/activex/module_library.h"
#include "host/activex/object_hold.h"
#include "host/activex/variant_bridge.h"
#include "host/control_members.h"
#include "host/type_library.h"
#include "platform/locale.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

const TypeInfo& automation_type() {
  return dnovar_type_library().types.at(kDnovarInterfaceIndex);
}

// Errors of the automation interface name the control's class and the dual interface, whether
// the call came late-bound or through the vtable.
constexpr ErrorOrigin kAutomationOrigin{kDnovarProgId, &DnovarDual::iid};
constexpr ErrorOrigin kErrorInfoOrigin{kDnovarProgId, &IID_ISupportErrorInfo};
constexpr ErrorOrigin kClassInfoOrigin{kDnovarProgId, &IID_IProvideClassInfo};

// The year a date given without one falls in, as the system's own conversion takes it.
int system_year() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return now.wYear;
}

// Which of a member's functions a dispatch call means, as the standard dispatcher chooses: a
// method only for DISPATCH_METHOD, a read accessor only for DISPATCH_PROPERTYGET (scripts ask for a
// value with both, and call a method that returns one the same way). Reading a method's value
// finds nothing, so it never runs it (JScript's `typeof c.ShowAbout`).
bool choose_kind(DISPID id, WORD flags, InvokeKind& kind) {
  const TypeInfo& type = automation_type();
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    kind = InvokeKind::property_put;
    return find_function(type, id, kind) != nullptr;
  }
  if ((flags & DISPATCH_METHOD) && find_function(type, id, InvokeKind::method) != nullptr) {
    kind = InvokeKind::method;
    return true;
  }
  kind = InvokeKind::property_get;
  return (flags & DISPATCH_PROPERTYGET) && find_function(type, id, kind) != nullptr;
}

}  // namespace

HRESULT ActiveXControl::call(DISPID id, InvokeKind kind, std::vector<Variant>& args,
                             Variant* result, EXCEPINFO* exception) {
  // A member may open a modal loop (ShowAbout, a handler's message box) or call the container.
  const ObjectHold hold(holder());
  start_if_unloaded();
  ExceptionInfo info;
  const Status status = calendar_->invoke(id, kind, args, result, &info);
  if (status == Status::exception)
    return report_error(info.number, info.description, kAutomationOrigin, exception);
  return succeeded(status) ? S_OK : static_cast<HRESULT>(status);
}

template <typename Body>
HRESULT ActiveXControl::dual_call(Body&& body) noexcept {
  return guarded(kAutomationOrigin, std::forward<Body>(body));
}

HRESULT ActiveXControl::GetTypeInfoCount(UINT* count) {
  return guarded(kAutomationOrigin, [&] {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  });
}

HRESULT ActiveXControl::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
  return guarded(kAutomationOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (const HRESULT loaded = load_module_library(library_); FAILED(loaded)) return loaded;
    return library_->GetTypeInfoOfGuid(windows_guid(kDnovarInterfaceId), out);
  });
}

HRESULT ActiveXControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return guarded(kAutomationOrigin, [&] {
    if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
    const std::string member = utf8_text(names[0]);
    DispatchId id = kDispidUnknown;
    const Status status = calendar_->get_ids_of_names(member, &id);
    ids[0] = id;
    // The names after the member's are its parameters', for named arguments.
    if (failed(status)) {
      for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    const TypeInfo& type = automation_type();
    const bool found =
        parameter_ids(type, *find_function(type, member), names + 1, count - 1, ids + 1);
    return found ? S_OK : DISP_E_UNKNOWNNAME;
  });
}

HRESULT ActiveXControl::Invoke(DISPID id, REFIID interface_id, LCID lcid, WORD flags,
                               DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                               UINT* argument_error) {
  return guarded(kAutomationOrigin, exception, [&] {
    if (interface_id != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{};
    if (parameters == nullptr) parameters = &none;
    InvokeKind kind;
    if (!choose_kind(id, flags, kind)) return DISP_E_MEMBERNOTFOUND;
    // A write accessor takes its one value, named as the new value.
    if (kind == InvokeKind::property_put &&
        (parameters->cNamedArgs != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT ||
         parameters->cArgs != 1)) {
      return parameters->cNamedArgs > 1 ? DISP_E_NONAMEDARGS : DISP_E_BADPARAMCOUNT;
    }

    std::vector<Variant> args;
    const Locale locale = locale_of_id(ConvertDefaultLocale(lcid));
    if (const HRESULT taken =
            arguments_in_order(*find_function(automation_type(), id, kind), *parameters, locale,
                               system_year(), args, argument_error);
        FAILED(taken)) {
      return taken;
    }

    Variant value;
    const HRESULT status = call(id, kind, args, &value, exception);
    if (SUCCEEDED(status) && result != nullptr && kind != InvokeKind::property_put)
      *result = com_from_variant(value).detach();
    return status;
  });
}

// The dual interface: each entry converts its own typed arguments.

namespace {
// The dispatch id of a member, from the member table (written down only there).
DISPID id_of(Member member) {
  return control_member(member).id;
}

Variant from_short(short v) {
  return Variant::i2(v);
}
short to_short(const Variant& v) {
  return v.to_i2();
}
VARIANT_BOOL to_bool(const Variant& v) {
  return com_bool(v.to_bool() != 0);
}
DATE to_date(const Variant& v) {
  return v.to_date();
}
}  // namespace

template <typename Out, typename Convert>
HRESULT ActiveXControl::dual_read(DISPID id, Out* out, Convert convert) noexcept {
  if (out == nullptr) return E_POINTER;
  return dual_call([&] {
    std::vector<Variant> none;
    Variant got;
    const HRESULT status = call(id, InvokeKind::property_get, none, &got);
    if (SUCCEEDED(status)) *out = convert(got);
    return status;
  });
}

template <typename In, typename Convert>
HRESULT ActiveXControl::dual_write(DISPID id, In value, Convert convert) noexcept {
  return dual_call([&] {
    std::vector<Variant> args{convert(value)};
    return call(id, InvokeKind::property_put, args, nullptr);
  });
}

HRESULT ActiveXControl::get_Dtyd(short* value) {
  return dual_read(id_of(Member::weekday), value, to_short);
}
HRESULT ActiveXControl::put_Dtyd(short value) {
  return dual_write(id_of(Member::weekday), value, from_short);
}
HRESULT ActiveXControl::get_Dtyd1(short* value) {
  return dual_read(id_of(Member::first_weekday), value, to_short);
}
HRESULT ActiveXControl::put_Dtyd1(short value) {
  return dual_write(id_of(Member::first_weekday), value, from_short);
}
HRESULT ActiveXControl::get_Dlow(short* value) {
  return dual_read(id_of(Member::range_low), value, to_short);
}
HRESULT ActiveXControl::put_Dlow(short value) {
  return dual_write(id_of(Member::range_low), value, from_short);
}
HRESULT ActiveXControl::get_Dhigh(short* value) {
  return dual_read(id_of(Member::range_high), value, to_short);
}
HRESULT ActiveXControl::put_Dhigh(short value) {
  return dual_write(id_of(Member::range_high), value, from_short);
}
HRESULT ActiveXControl::get_Dplus(short* value) {
  return dual_read(id_of(Member::day_increment), value, to_short);
}
HRESULT ActiveXControl::put_Dplus(short value) {
  return dual_write(id_of(Member::day_increment), value, from_short);
}

HRESULT ActiveXControl::get_Svatky(VARIANT_BOOL* value) {
  return dual_read(id_of(Member::holidays_shown), value, to_bool);
}

HRESULT ActiveXControl::put_Svatky(VARIANT_BOOL value) {
  return dual_write(id_of(Member::holidays_shown), value,
                    [](VARIANT_BOOL v) { return Variant::boolean(v != 0); });
}

HRESULT ActiveXControl::get_Caption(BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  return dual_read(id_of(Member::caption), value,
                   [](const Variant& v) { return Bstr(v.to_string()).detach(); });
}

HRESULT ActiveXControl::put_Caption(BSTR value) {
  return dual_write(id_of(Member::caption), value,
                    [](BSTR v) { return Variant::string(utf8_from_bstr(v)); });
}

HRESULT ActiveXControl::get_VyberColor(OLE_COLOR* value) {
  return dual_read(id_of(Member::highlight_colour), value,
                   [](const Variant& v) { return static_cast<OLE_COLOR>(v.to_i4()); });
}

HRESULT ActiveXControl::put_VyberColor(OLE_COLOR value) {
  // OLE_COLOR is unsigned; the control reads the same 32 bits as a signed integer.
  return dual_write(id_of(Member::highlight_colour), value,
                    [](OLE_COLOR v) { return Variant::i4(static_cast<Int32>(v)); });
}

HRESULT ActiveXControl::get_Datum(DATE* value) {
  return dual_read(id_of(Member::date), value, to_date);
}

HRESULT ActiveXControl::put_Datum(DATE value) {
  return dual_write(id_of(Member::date), value, [](DATE v) { return Variant::date(v); });
}

HRESULT ActiveXControl::get_Enabled(VARIANT_BOOL* value) {
  return dual_read(id_of(Member::enabled), value, to_bool);
}

HRESULT ActiveXControl::put_Enabled(VARIANT_BOOL value) {
  return dual_write(id_of(Member::enabled), value,
                    [](VARIANT_BOOL v) { return Variant::boolean(v != 0); });
}

HRESULT ActiveXControl::Aktualizuj(short* k) {
  return dual_call([&] {
    // Optional: a caller that leaves it out passes no pointer.
    std::vector<Variant> args;
    if (k != nullptr) args.push_back(Variant::i2(*k));
    return call(id_of(Member::refresh), InvokeKind::method, args, nullptr);
  });
}

HRESULT ActiveXControl::Velikonoce(short* year, DATE* result) {
  if (year == nullptr || result == nullptr) return E_POINTER;
  return dual_call([&] {
    std::vector<Variant> args{Variant::i2(*year)};
    Variant got;
    const HRESULT status = call(id_of(Member::easter_monday), InvokeKind::method, args, &got);
    if (SUCCEEDED(status)) *result = to_date(got);
    return status;
  });
}

HRESULT ActiveXControl::ShowAbout() {
  return dual_call([&] {
    std::vector<Variant> none;
    return call(id_of(Member::about), InvokeKind::method, none, nullptr);
  });
}

HRESULT ActiveXControl::InterfaceSupportsErrorInfo(REFIID interface_id) {
  return guarded(kErrorInfoOrigin,
                 [&] { return interface_id == windows_guid(kDnovarInterfaceId) ? S_OK : S_FALSE; });
}

HRESULT ActiveXControl::GetClassInfo(ITypeInfo** out) {
  return guarded(kClassInfoOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (const HRESULT loaded = load_module_library(library_); FAILED(loaded)) return loaded;
    return library_->GetTypeInfoOfGuid(windows_guid(kDnovarClassId), out);
  });
}

HRESULT ActiveXControl::GetGUID(DWORD kind, GUID* out) {
  return guarded(kClassInfoOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
      *out = GUID_NULL;
      return E_INVALIDARG;
    }
    *out = windows_guid(kDnovarEventsId);
    return S_OK;
  });
}

}  // namespace dnovar
