// The locales whose text the control reads the platform's way: English (United States) and
// Czech. A caller names one explicitly (an automation call's locale id, `dnovar script --locale`);
// what the control writes itself never depends on it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dnovar {

enum class Locale : std::uint16_t { en_US = 0x0409, cs_CZ = 0x0405 };

// The order a locale writes the three numbers of a short date in.
enum class DateOrder { month_day_year, day_month_year };

// What the platform's text conversions read for a locale. Texts are UTF-8.
struct LocaleText {
  char32_t decimal;
  char32_t thousands;
  char32_t currency_decimal;
  char32_t currency_thousands;
  std::u32string_view currency;
  char32_t date_separator;
  DateOrder date_order;
  std::array<std::u32string_view, 12> months;
  std::array<std::u32string_view, 12> month_abbreviations;
  std::array<std::u32string_view, 12> months_genitive;  // "20. května"; empty where none
  std::array<std::u32string_view, 7> days;
  std::array<std::u32string_view, 7> day_abbreviations;
  std::u32string_view am;
  std::u32string_view pm;
};

const LocaleText& locale_text(Locale locale) noexcept;

// A Windows locale id as the locale it reads like: Czech for every Czech id, else English.
Locale locale_of_id(std::uint32_t lcid) noexcept;

// "cs-CZ" or "en-US" (case as written); nullopt for any other name.
std::optional<Locale> locale_named(std::string_view name) noexcept;
std::string_view locale_name(Locale locale) noexcept;

}  // namespace dnovar
