#include "host/activex/dispatch_arguments.h"

#include <optional>

#include "component/dispatch_table.h"
#include "component/text_arguments.h"
#include "host/activex/variant_bridge.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

bool is_missing(const VARIANT& value) {
  return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

bool is_required(const Parameter& parameter) {
  return !(parameter.flags & (param_flag::optional | param_flag::has_default));
}

HRESULT fail_at(HRESULT status, UINT index, UINT* argument_error) {
  if (argument_error != nullptr) *argument_error = index;
  return status;
}

// The value a caller gave, in its parameter's type.
Variant converted(const VARIANT& given, const Parameter& parameter, Locale locale,
                  int current_year) {
  return coerce(argument_from_text(argument_from_com(given, parameter.type), parameter.type, locale,
                                   current_year),
                parameter.type);
}

}  // namespace

HRESULT arguments_in_order(const Function& function, const DISPPARAMS& parameters, Locale locale,
                           int current_year, std::vector<Variant>& args, UINT* argument_error) {
  const std::vector<Parameter>& declared = function.parameters;
  if (parameters.cNamedArgs > parameters.cArgs) return E_INVALIDARG;
  const UINT positional = parameters.cArgs - parameters.cNamedArgs;
  if (positional > declared.size()) return DISP_E_BADPARAMCOUNT;

  // Which rgvarg entry each parameter takes; rgvarg holds the positional arguments last first,
  // after the named ones.
  std::vector<std::optional<UINT>> source(declared.size());
  for (UINT i = 0; i < positional; ++i) source[i] = parameters.cArgs - 1 - i;
  for (UINT j = 0; j < parameters.cNamedArgs; ++j) {
    DISPID id = parameters.rgdispidNamedArgs[j];
    // A write accessor's new value is its last parameter.
    if (id == DISPID_PROPERTYPUT && function.kind == InvokeKind::property_put)
      id = static_cast<DISPID>(declared.size()) - 1;
    if (id < 0 || static_cast<std::size_t>(id) >= declared.size() || source[id].has_value())
      return fail_at(DISP_E_PARAMNOTFOUND, j, argument_error);
    source[id] = j;
  }

  std::size_t given = 0;
  for (std::size_t i = 0; i < declared.size(); ++i) {
    if (source[i] && is_missing(parameters.rgvarg[*source[i]])) {
      if (is_required(declared[i]))
        return fail_at(DISP_E_PARAMNOTOPTIONAL, *source[i], argument_error);
      source[i].reset();
    }
    if (source[i]) {
      given = i + 1;
    } else if (is_required(declared[i])) {
      return DISP_E_BADPARAMCOUNT;
    }
  }

  args.clear();
  for (std::size_t i = 0; i < given; ++i) {
    if (!source[i]) {
      args.emplace_back();
      continue;
    }
    try {
      args.push_back(converted(parameters.rgvarg[*source[i]], declared[i], locale, current_year));
    } catch (const RuntimeError& error) {
      const HRESULT status =
          error.number() == error_number::overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
      return fail_at(status, *source[i], argument_error);
    }
  }
  return S_OK;
}

bool parameter_ids(const TypeInfo& type, const Function& member, const LPOLESTR* names, UINT count,
                   DISPID* ids) {
  bool all_found = true;
  for (UINT n = 0; n < count; ++n) {
    const std::string name = utf8_text(names[n]);
    ids[n] = DISPID_UNKNOWN;
    for (const Function& function : type.functions) {
      if (function.id != member.id) continue;
      for (std::size_t i = 0; i < function.parameters.size() && ids[n] == DISPID_UNKNOWN; ++i) {
        if (!function.parameters[i].name.empty() && names_equal(function.parameters[i].name, name))
          ids[n] = static_cast<DISPID>(i);
      }
    }
    all_found = all_found && ids[n] != DISPID_UNKNOWN;
  }
  return all_found;
}

}  // namespace dnovar
