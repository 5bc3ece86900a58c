#include "platform/date.h"

#include <gtest/gtest.h>

#include "tests/unit/error_of.h"

#include <chrono>
#include <cmath>
#include <limits>

#include "platform/date_text.h"
#include "platform/error.h"

namespace dnovar {
namespace {

using testing_support::error_of;

// Every day of the valid range, checked against <chrono> as an independent calendar: parts ->
// serial -> parts is the identity, serials are consecutive and weekdays advance by one.
TEST(DateWalk, EveryDayFromYear100To9999RoundTrips) {
  using namespace std::chrono;
  const sys_days epoch = sys_days{year{1899} / December / 30};
  long long expected_serial = -657434;
  int expected_weekday = weekday(-657434.0);
  for (sys_days day = sys_days{year{100} / January / 1};
       day <= sys_days{year{9999} / December / 31}; day += days{1}) {
    const year_month_day ymd{day};
    const int y = int(ymd.year()), m = int(unsigned(ymd.month())), d = int(unsigned(ymd.day()));
    const DateSerial serial = y < 100 ? 0 : make_date(y, m, d);
    ASSERT_EQ(serial, double(expected_serial)) << y << '-' << m << '-' << d;
    ASSERT_EQ(serial, double((day - epoch).count()));
    const DateParts parts = date_parts(serial);
    ASSERT_EQ(parts.date, (CivilDate{y, m, d})) << serial;
    ASSERT_EQ(parts.weekday, expected_weekday) << serial;
    ASSERT_EQ(parts.weekday, int(std::chrono::weekday{day}.iso_encoding()));
    ASSERT_EQ(weekday_of_day(serial), parts.weekday) << serial;
    expected_weekday = expected_weekday % 7 + 1;
    ++expected_serial;
  }
  EXPECT_EQ(expected_serial, 2958466);
}

TEST(DateAnchors, KnownSerials) {
  struct Anchor {
    DateSerial serial;
    CivilDate date;
    int weekday;
  };
  const Anchor anchors[] = {
      {0, {1899, 12, 30}, 6},    {2, {1900, 1, 1}, 1},         {36525, {1999, 12, 31}, 5},
      {-657434, {100, 1, 1}, 5}, {2958465, {9999, 12, 31}, 5}, {60, {1900, 2, 28}, 3},
      {61, {1900, 3, 1}, 4},     {45413, {2024, 5, 1}, 3},
  };
  for (const Anchor& a : anchors) {
    EXPECT_EQ(make_date(a.date.year, a.date.month, a.date.day), a.serial);
    EXPECT_EQ(civil_date(a.serial), a.date);
    EXPECT_EQ(weekday(a.serial), a.weekday);
  }
}

TEST(DateBuild, NormalisesBothWaysAndReadsTwoDigitYears) {
  struct Case {
    int year, month, day;
    CivilDate expected;
  };
  const Case cases[] = {
      {2024, 4, 31, {2024, 5, 1}},     {2001, 2, 30, {2001, 3, 2}},
      {2024, 13, 1, {2025, 1, 1}},     {2024, 0, 1, {2023, 12, 1}},
      {2024, 3, 0, {2024, 2, 29}},     {24, 4, 1, {2024, 4, 1}},
      {99, 12, 31, {1999, 12, 31}},    {0, 1, 1, {2000, 1, 1}},
      {29, 12, 31, {2029, 12, 31}},    {30, 1, 1, {1930, 1, 1}},
      {99, 13, 1, {2000, 1, 1}},       {2024, -1, 1, {2023, 11, 1}},
      {2024, 25, 1, {2026, 1, 1}},     {2024, 1, -1, {2023, 12, 30}},
      {2024, 1, 366, {2024, 12, 31}},  {2024, 1, 32767, {2113, 9, 17}},
      {2000, 2, 29, {2000, 2, 29}},    {1900, 2, 29, {1900, 3, 1}},
      {2024, -32768, 1, {-707, 9, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << ',' << c.month << ',' << c.day);
    if (c.expected.year < 100) {
      EXPECT_EQ(error_of([&] { make_date(c.year, c.month, c.day); }), 5);
      continue;
    }
    EXPECT_EQ(civil_date(make_date(c.year, c.month, c.day)), c.expected);
  }
}

TEST(DateBuild, OutsideTheRangeIsInvalidArgument) {
  const long long cases[][3] = {{9999, 12, 32},    {100, 1, 0},         {10000, 1, 1},
                                {-1, 1, 1},        {100, 0, 31},        {99999999, 1, 1},
                                {1LL << 40, 1, 1}, {2000, 1LL << 50, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(error_of([&] { make_date(c[0], c[1], c[2]); }), 5)
        << c[0] << ',' << c[1] << ',' << c[2];
}

TEST(DateParts, TimeOfDayRunsForwardAlsoBelowZero) {
  struct Case {
    DateSerial serial;
    CivilDate date;
    int hour, minute, second;
  };
  const Case cases[] = {
      {-1.25, {1899, 12, 29}, 6, 0, 0},      {-0.5, {1899, 12, 30}, 12, 0, 0},
      {0.5, {1899, 12, 30}, 12, 0, 0},       {36525.75, {1999, 12, 31}, 18, 0, 0},
      {-657434.5, {100, 1, 1}, 12, 0, 0},    {2958465.999, {9999, 12, 31}, 23, 58, 34},
      {1.0 - 1e-9, {1899, 12, 31}, 0, 0, 0},  // rounds to the next midnight, forward
  };
  for (const Case& c : cases) {
    const DateParts parts = date_parts(c.serial);
    EXPECT_EQ(parts.date, c.date) << c.serial;
    EXPECT_EQ(parts.hour * 3600 + parts.minute * 60 + parts.second,
              c.hour * 3600 + c.minute * 60 + c.second)
        << c.serial;
  }
}

TEST(DateParts, NonDatesAreInvalidArgumentNeverUndefined) {
  const double cases[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          -657435.0,
                          2958466.0,
                          1e300,
                          -1e300};
  for (double value : cases) {
    EXPECT_EQ(error_of([&] { date_parts(value); }), 5) << value;
    EXPECT_EQ(error_of([&] { weekday(value); }), 5) << value;
  }
}

TEST(DateArithmetic, AddDaysOverflowsOutsideTheRange) {
  EXPECT_EQ(add_days(45413, -7), 45406);
  EXPECT_EQ(add_days(kLastDate, 0.5), kLastDate + 0.5);
  EXPECT_EQ(error_of([] { add_days(kLastDate, 1); }), 6);
  EXPECT_EQ(error_of([] { add_days(kFirstDate, -1); }), 6);
  EXPECT_EQ(error_of([] { add_days(0, std::numeric_limits<double>::quiet_NaN()); }), 6);
}

TEST(DateText, FormatsAndParsesRoundTrip) {
  struct Case {
    const char* text;
    DateSerial serial;
  };
  const Case cases[] = {{"2024-05-01", 45413},
                        {"1999-12-31T18:00:00", 36525.75},
                        {"1899-12-29T06:00:00", -1.25},
                        {"0100-01-01", -657434},
                        {"9999-12-31", 2958465}};
  for (const Case& c : cases) {
    EXPECT_EQ(format_date_text(c.serial), c.text);
    ASSERT_TRUE(parse_date_text(c.text).has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*parse_date_text(c.text), c.serial) << c.text;
  }
  for (const char* bad : {"2023-02-29", "2024-13-01", "2024-5-1", "24-05-01", "2024-05-01T25:00:00",
                          "2024-05-01x", "", "10000-01-01"})
    EXPECT_FALSE(parse_date_text(bad).has_value()) << bad;
}

}  // namespace
}  // namespace dnovar
