#include "platform/locale.h"

namespace dnovar {

namespace {

constexpr LocaleText kEnglish{
    U'.',
    U',',
    U'.',
    U',',
    U"$",
    U'/',
    DateOrder::month_day_year,
    {U"January", U"February", U"March", U"April", U"May", U"June", U"July", U"August", U"September",
     U"October", U"November", U"December"},
    {U"Jan", U"Feb", U"Mar", U"Apr", U"May", U"Jun", U"Jul", U"Aug", U"Sep", U"Oct", U"Nov",
     U"Dec"},
    {},
    {U"Monday", U"Tuesday", U"Wednesday", U"Thursday", U"Friday", U"Saturday", U"Sunday"},
    {U"Mon", U"Tue", U"Wed", U"Thu", U"Fri", U"Sat", U"Sun"},
    U"AM",
    U"PM",
};

// The thousands separator is a no-break space; a plain space stands for it too.
constexpr LocaleText kCzech{
    U',',
    U'\u00A0',
    U',',
    U'\u00A0',
    U"K\u010D",
    U'.',
    DateOrder::day_month_year,
    {U"leden", U"\u00FAnor", U"b\u0159ezen", U"duben", U"kv\u011Bten", U"\u010Derven",
     U"\u010Dervenec", U"srpen", U"z\u00E1\u0159\u00ED", U"\u0159\u00EDjen", U"listopad",
     U"prosinec"},
    {U"led", U"\u00FAno", U"b\u0159e", U"dub", U"kv\u011B", U"\u010Dvn", U"\u010Dvc", U"srp",
     U"z\u00E1\u0159", U"\u0159\u00EDj", U"lis", U"pro"},
    {U"ledna", U"\u00FAnora", U"b\u0159ezna", U"dubna", U"kv\u011Btna", U"\u010Dervna",
     U"\u010Dervence", U"srpna", U"z\u00E1\u0159\u00ED", U"\u0159\u00EDjna", U"listopadu",
     U"prosince"},
    {U"pond\u011Bl\u00ED", U"\u00FAter\u00FD", U"st\u0159eda", U"\u010Dtvrtek", U"p\u00E1tek",
     U"sobota", U"ned\u011Ble"},
    {U"po", U"\u00FAt", U"st", U"\u010Dt", U"p\u00E1", U"so", U"ne"},
    U"dop.",
    U"odp.",
};

}  // namespace

const LocaleText& locale_text(Locale locale) noexcept {
  return locale == Locale::cs_CZ ? kCzech : kEnglish;
}

Locale locale_of_id(std::uint32_t lcid) noexcept {
  constexpr std::uint32_t kCzechLanguage = 0x05;
  return (lcid & 0x3FF) == kCzechLanguage ? Locale::cs_CZ : Locale::en_US;
}

std::optional<Locale> locale_named(std::string_view name) noexcept {
  if (name == "cs-CZ") return Locale::cs_CZ;
  if (name == "en-US") return Locale::en_US;
  return std::nullopt;
}

std::string_view locale_name(Locale locale) noexcept {
  return locale == Locale::cs_CZ ? "cs-CZ" : "en-US";
}

}  // namespace dnovar
