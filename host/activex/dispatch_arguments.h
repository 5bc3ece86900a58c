// The arguments of a late-bound call taken as the platform's standard dispatcher takes them for a
// function of the type library: positional ones first to last, named ones by their parameter's
// index (the ids GetIDsOfNames gives), text read by the caller's locale, every value converted to
// its parameter's type before the control sees it.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <vector>

#include "component/type_library.h"
#include "platform/locale.h"
#include "platform/variant.h"

namespace dnovar {

// Fills `args` in declaration order, leaving out trailing parameters nobody gave (a left-out one
// before a given one is Empty). Returns S_OK, DISP_E_BADPARAMCOUNT (more positional arguments than
// parameters, or fewer than the required ones), DISP_E_PARAMNOTFOUND (a named argument no parameter
// has, or one given twice), DISP_E_PARAMNOTOPTIONAL (a required one marked missing), or
// DISP_E_TYPEMISMATCH / DISP_E_OVERFLOW; for the last four `argument_error`, when given, is the
// failing argument's index in rgvarg. `current_year` completes a date text given without a year.
HRESULT arguments_in_order(const Function& function, const DISPPARAMS& parameters, Locale locale,
                           int current_year, std::vector<Variant>& args, UINT* argument_error);

// The parameter ids of a member's parameter names, as GetIDsOfNames answers for names[1..]:
// each name's index among the parameters of the member's functions, or DISPID_UNKNOWN. Returns
// whether every name was found.
bool parameter_ids(const TypeInfo& type, const Function& member, const LPOLESTR* names, UINT count,
                   DISPID* ids);

}  // namespace dnovar
