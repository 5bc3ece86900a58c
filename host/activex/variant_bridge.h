// Values between COM's VARIANT and the project's Variant. Only the types the control's accessors
// and property bags carry cross; the rest are a type mismatch (13), as the run time's own
// conversion reports them.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "com/com_values.h"
#include "platform/variant.h"

namespace dnovar {

// Follows a by-reference VARIANT to its value. Raises 13 for objects, arrays and Null.
Variant variant_from_com(const VARIANT& value);
// Throws std::bad_alloc when a string cannot be made.
ComVariant com_from_variant(const Variant& value);

// A COM date is the same day count as ours; a COM boolean is -1/0 as ours.
inline VARIANT_BOOL com_bool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace dnovar
