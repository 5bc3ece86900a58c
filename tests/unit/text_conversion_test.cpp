#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

#include "platform/error.h"
#include "tests/unit/error_of.h"

using dnovar::testing_support::error_of;

namespace dnovar {
namespace {

constexpr Locale en = Locale::en_US;
constexpr Locale cs = Locale::cs_CZ;
constexpr int kYear = 2026;  // the current year of texts that leave it out

template <typename Value>
struct ValueCase {
  const char* text;
  Locale locale;
  Value expected;  // ignored when error != 0
  int error;
};
using NumberCase = ValueCase<double>;
using IntegerCase = ValueCase<int>;

// Every case is named by its text and locale in the tests' output.
template <typename Case>
requires requires(const Case& c) {
  c.text, c.locale;
}
void PrintTo(const Case& c, std::ostream* out) {
  *out << '"' << c.text << "\" " << (c.locale == cs ? "cs-CZ" : "en-US");
}

class NumberFromText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberFromText, ReadsAsThePlatform) {
  const NumberCase& c = GetParam();
  if (c.error != 0) {
    EXPECT_EQ(error_of([&] { r8_from_text(c.text, c.locale); }), c.error);
    return;
  }
  EXPECT_EQ(r8_from_text(c.text, c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberFromText,
    ::testing::Values(NumberCase{"12", en, 12, 0}, NumberCase{"  12\t", cs, 12, 0},
                      NumberCase{"12-", en, -12, 0}, NumberCase{"(12)", en, -12, 0},
                      NumberCase{"+-12", en, -12, 0}, NumberCase{"--12", en, 0, 13},
                      NumberCase{"1,234.5", en, 1234.5, 0}, NumberCase{"1,5", en, 15, 0},
                      NumberCase{"1,5", cs, 1.5, 0}, NumberCase{"1 234,5", cs, 1234.5, 0},
                      NumberCase{"1\u00A0234", cs, 1234, 0}, NumberCase{"1 234", en, 0, 13},
                      NumberCase{",5", en, 0, 13}, NumberCase{".5", en, 0.5, 0},
                      NumberCase{"$12", en, 12, 0}, NumberCase{"12 K\u010D", cs, 12, 0},
                      NumberCase{"$12", cs, 0, 13}, NumberCase{"1e1", en, 10, 0},
                      NumberCase{"2,5E-1", cs, 0.25, 0}, NumberCase{"1e", en, 0, 13},
                      NumberCase{"$1e1", en, 0, 13}, NumberCase{"1e400", en, 0, 6},
                      NumberCase{"&H10", en, 16, 0}, NumberCase{"&o17", cs, 15, 0},
                      NumberCase{"&O18", en, 0, 13}, NumberCase{"&HFFFF", en, 65535, 0},
                      NumberCase{"&H80000000", en, -2147483648.0, 0},
                      NumberCase{"&H10 ", cs, 0, 13}, NumberCase{"", en, 0, 13},
                      NumberCase{"1x", en, 0, 13}, NumberCase{"(12", en, 0, 13}));

class IntegerFromText : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerFromText, RoundsHalvesToEvenAndChecksTheRange) {
  const IntegerCase& c = GetParam();
  if (c.error != 0) {
    EXPECT_EQ(error_of([&] { i2_from_text(c.text, c.locale); }), c.error);
    return;
  }
  EXPECT_EQ(i2_from_text(c.text, c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerFromText,
    ::testing::Values(IntegerCase{"2.5", en, 2, 0}, IntegerCase{"3,5", cs, 4, 0},
                      IntegerCase{"-2.5", en, -2, 0}, IntegerCase{"2.51", en, 3, 0},
                      IntegerCase{"0.06", en, 0, 0}, IntegerCase{"6e-2", en, 0, 0},
                      IntegerCase{"32767", en, 32767, 0}, IntegerCase{"-32768", en, -32768, 0},
                      IntegerCase{"32768", en, 0, 6}, IntegerCase{"32767.5", en, 0, 6},
                      IntegerCase{"&HFFFF", en, -1, 0}, IntegerCase{"&H10000", en, 0, 6},
                      IntegerCase{"-&H10", en, 16, 0}, IntegerCase{"-0", en, 0, 0},
                      IntegerCase{"1e1,5", en, 150, 0}, IntegerCase{"12x", en, 0, 13}));

struct DateCase {
  const char* text;
  Locale locale;
  int year, month, day, hour, minute, second;  // year 0: error 13
};

class DateFromText : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateFromText, ReadsShortLongAndIsoForms) {
  const DateCase& c = GetParam();
  if (c.year == 0) {
    EXPECT_EQ(error_of([&] { date_from_text(c.text, c.locale, kYear); }), 13);
    return;
  }
  const DateParts parts = date_parts(date_from_text(c.text, c.locale, kYear));
  EXPECT_EQ(parts.date, (CivilDate{c.year, c.month, c.day}));
  EXPECT_EQ(parts.hour * 3600 + parts.minute * 60 + parts.second,
            c.hour * 3600 + c.minute * 60 + c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateFromText,
    ::testing::Values(
        DateCase{"20.5.2024", cs, 2024, 5, 20, 0, 0, 0},
        DateCase{"20.5.2024", en, 0, 0, 0, 0, 0, 0},
        DateCase{"20. 5. 2024", cs, 2024, 5, 20, 0, 0, 0},
        DateCase{"5/20/2024", en, 2024, 5, 20, 0, 0, 0},
        DateCase{"5/20/2024", cs, 2024, 5, 20, 0, 0, 0},
        DateCase{"4/5/2024", en, 2024, 4, 5, 0, 0, 0},
        DateCase{"4/5/2024", cs, 2024, 5, 4, 0, 0, 0},
        DateCase{"2024-05-20 13:45", en, 2024, 5, 20, 13, 45, 0},
        DateCase{"2024-6-3", cs, 2024, 6, 3, 0, 0, 0},
        DateCase{"2024-05-20T13:45:00", cs, 2024, 5, 20, 13, 45, 0},
        DateCase{"Monday, May 20, 2024", en, 2024, 5, 20, 0, 0, 0},
        DateCase{"20 may 2024 1:30 PM", en, 2024, 5, 20, 13, 30, 0},
        DateCase{"pond\u011Bl\u00ED 20. kv\u011Btna 2024", cs, 2024, 5, 20, 0, 0, 0},
        DateCase{"1. \u010Dervenec 2024", cs, 2024, 7, 1, 0, 0, 0},
        DateCase{"20.5.2024 1:30 odp.", cs, 2024, 5, 20, 13, 30, 0},
        DateCase{"5/20/45", en, 2045, 5, 20, 0, 0, 0},
        DateCase{"5/20/0045", en, 2045, 5, 20, 0, 0, 0},
        DateCase{"5/20/50", en, 1950, 5, 20, 0, 0, 0}, DateCase{"1.5", cs, kYear, 5, 1, 0, 0, 0},
        DateCase{"1.5", en, 1899, 12, 30, 1, 5, 0}, DateCase{"5/2024", en, 2024, 5, 1, 0, 0, 0},
        DateCase{"2/30/2024", en, 0, 0, 0, 0, 0, 0}, DateCase{"45000", en, 0, 0, 0, 0, 0, 0},
        DateCase{"24:00 5/20/2024", en, 0, 0, 0, 0, 0, 0},
        DateCase{"5/20/2024/1", en, 0, 0, 0, 0, 0, 0}, DateCase{"May", en, 0, 0, 0, 0, 0, 0}));

constexpr DateCase mismatch(const char* text, Locale locale) {
  return {text, locale, 0, 0, 0, 0, 0, 0};
}

// Every number is checked at its full size: 75535 is 9999 + 65536 and 65595 is 59 + 65536, which
// a 16-bit part would take for 9999 and 59.
constexpr DateCase kNumbersOutOfRange[] = {
    {"5/20/100", en, 100, 5, 20, 0, 0, 0},
    {"12/31/9999", en, 9999, 12, 31, 0, 0, 0},
    {"5/20/99", cs, 1999, 5, 20, 0, 0, 0},
    mismatch("5/20/10000", en),
    mismatch("75535-05-05", en),
    mismatch("75535-05-05", cs),
    mismatch("1/1/67535", en),
    mismatch("1/1/67535", cs),
    mismatch("20. kv\u011Btna 67535", cs),
    mismatch("May 20, 67535", en),
    mismatch("1/1/4294967296", en),
    mismatch("1/1/18446744073709551616009999", en),
    mismatch("65548:00 5/20/2024", en),
    mismatch("5/20/2024 13:65595", en),
    mismatch("5/20/2024 1:00:65595", en),
};
INSTANTIATE_TEST_SUITE_P(NumbersOutOfRange, DateFromText, ::testing::ValuesIn(kNumbersOutOfRange));

// The ISO form with a 'T' takes a time of day with or without the seconds.
constexpr DateCase kIsoTimesOfDay[] = {
    {"2024-05-20T13:45", en, 2024, 5, 20, 13, 45, 0},
    {"2024-05-20T13:45", cs, 2024, 5, 20, 13, 45, 0},
    {"2024-05-20T00:01:02", en, 2024, 5, 20, 0, 1, 2},
    mismatch("2024-05-20T13", en),
    mismatch("2024-05-20T13:", en),
    mismatch("2024-05-20T13:45:", en),
    mismatch("2024-05-20T24:00", en),
    mismatch("2024-05-20T13:60", cs),
    mismatch("2024-05-20T1:45", en),
};
INSTANTIATE_TEST_SUITE_P(IsoTimeOfDay, DateFromText, ::testing::ValuesIn(kIsoTimesOfDay));

TEST(DateFromText, TimeOfDayCountsForwardBeforeDayZero) {
  EXPECT_EQ(date_from_text("12/29/1899 6:00", en, kYear), -1.25);
  EXPECT_EQ(date_from_text("12/30/1899 12:00", en, kYear), 0.5);
}

TEST(BoolFromText, WordsAndNumbers) {
  const struct {
    const char* text;
    int expected;  // 1 true, 0 false, 13 type mismatch
  } cases[] = {{"True", 1},    {"fAlSe", 0}, {"#TRUE#", 1}, {"#false#", 13}, {" True", 13},
               {"Pravda", 13}, {"0", 0},     {"0,0", 0},    {"-1", 1},       {"&H0", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.expected == 13)
      EXPECT_EQ(error_of([&] { bool_from_text(c.text, cs); }), 13);
    else
      EXPECT_EQ(bool_from_text(c.text, cs), c.expected == 1 ? kTrue : kFalse);
  }
}

TEST(LocaleNames, ReadAndWriteBack) {
  for (const Locale locale : {en, cs}) EXPECT_EQ(locale_named(locale_name(locale)), locale);
  EXPECT_FALSE(locale_named("de-DE").has_value());
  EXPECT_EQ(locale_of_id(0x0405), cs);
  EXPECT_EQ(locale_of_id(0x0409), en);
  EXPECT_EQ(locale_of_id(0x0809), en);
}

}  // namespace
}  // namespace dnovar
