// Values between COM's VARIANT and the project's Variant. Only the types the control's accessors
// and property bags carry cross; the rest are a type mismatch (13), as the run time's own
// conversion reports them.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "com/com_values.h"
#include "component/type_library.h"
#include "platform/variant.h"

namespace dnovar {

// Follows a by-reference VARIANT to its value. Raises 13 for objects, arrays and Null.
Variant variant_from_com(const VARIANT& value);

// An argument for a parameter of `type`. An integer of a type the control has no value for
// (VT_UI2, VT_UI4, VT_I8...) becomes the parameter's type through the system's own conversion,
// as the standard dispatcher converts it: VT_UI4 0xFFFFFFFF is -1 for a 32-bit parameter,
// 4294967295 for text and an overflow (6) for a 16-bit one. Anything else as variant_from_com.
Variant argument_from_com(const VARIANT& value, ValueType type);
// Throws std::bad_alloc when a string cannot be made.
ComVariant com_from_variant(const Variant& value);

// A COM date is the same day count as ours; a COM boolean is -1/0 as ours.
inline VARIANT_BOOL com_bool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace dnovar
