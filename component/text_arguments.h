// Text given for a typed parameter, read as the platform's standard dispatcher reads it: by the
// caller's locale (platform/text_conversion.h), before the call converts its arguments.
#pragma once

#include "component/type_library.h"
#include "platform/locale.h"
#include "platform/variant.h"

namespace dnovar {

// A string for a parameter of a number, date or boolean type as a value of that type; any other
// value as given. Raises type mismatch (13) or overflow (6). `current_year` completes a date
// given without a year.
Variant argument_from_text(const Variant& value, ValueType type, Locale locale, int current_year);

}  // namespace dnovar
