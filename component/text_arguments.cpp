#include "component/text_arguments.h"

#include "platform/text_conversion.h"

namespace dnovar {

Variant argument_from_text(const Variant& value, ValueType type, Locale locale, int current_year) {
  if (value.type() != Variant::Type::String) return value;
  const std::string text = value.to_string();
  switch (type) {
    case ValueType::i2:
      return Variant::i2(i2_from_text(text, locale));
    case ValueType::i4:
    case ValueType::colour:
      return Variant::i4(i4_from_text(text, locale));
    case ValueType::r8:
      return Variant::r8(r8_from_text(text, locale));
    case ValueType::date:
      return Variant::date(date_from_text(text, locale, current_year));
    case ValueType::boolean:
      return Variant::boolean(bool_from_text(text, locale) != kFalse);
    default:
      return value;
  }
}

}  // namespace dnovar
