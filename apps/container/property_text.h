// Property values as the property browser shows them and as the user types them.
//
// Shown: numbers in decimal, booleans "True"/"False", dates "2024-05-20" (with the time when there
// is one), colours in hex "0x0000FFFF" (system colours keep their top bit: "0x8000000F").
// Typed: the text goes to the control as a string, which converts it to the property's type and
// answers a bad value with its own error (13 type mismatch, 6 overflow); colours may also be
// typed in hex, "0xFF" or "&HFF&", and a hex colour keeps all 32 bits ("&H8000000F&" is the
// system colour, not an overflow).
#pragma once

#include <string>
#include <string_view>

#include "component/type_library.h"
#include "platform/variant.h"

namespace dnovar::container {

std::string property_text(const Variant& value, ValueType type);

// Raises 13 for a hex colour that is no 32-bit number ("0x", "&HG", "0x123456789").
Variant property_value(std::string_view text, ValueType type);

}  // namespace dnovar::container
