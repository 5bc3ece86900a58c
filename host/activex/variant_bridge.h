// Values between COM's VARIANT and the control's Variant. Only the types the control's accessors
// and property bags carry cross; the rest are a type mismatch (13), as the run time's own
// conversion reports them.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>

#include "platform/variant.h"

namespace dnovar {

// Follows a by-reference VARIANT to its value. Raises 13 for objects, arrays and Null.
Variant variant_from_com(const VARIANT& value);
// The caller owns the result (VariantClear).
VARIANT com_from_variant(const Variant& value);

// A BSTR the caller owns (SysFreeString); raises 7 when the system has no memory for it.
BSTR bstr_from_utf8(std::string_view text);
std::string utf8_from_bstr(BSTR text);

// A COM date is the same day count as ours; a COM boolean is -1/0 as ours.
inline VARIANT_BOOL com_bool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace dnovar
