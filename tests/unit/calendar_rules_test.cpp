// The current rules against dates computed here by other means: Easter by Gauss's rule (in
// Lichtenberg's form), ISO weeks from the day of the year with std::chrono.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "test_site.h"

namespace dnovar {
namespace {

using namespace std::chrono;
using testing_support::StartedCalendar;

// Easter Sunday as a day of March (32 is 1 April).
int easter_sunday_in_march(int year) {
  const int k = year / 100;
  const int m = 15 + (3 * k + 3) / 4 - (8 * k + 13) / 25;
  const int s = 2 - (3 * k + 3) / 4;
  const int a = year % 19;
  const int d = (19 * a + m) % 30;
  const int r = (d + a / 11) / 29;
  const int full_moon = 21 + d - r;
  const int first_sunday = 7 - (year + year / 4 + s) % 7;
  return full_moon + 7 - (full_moon - first_sunday) % 7;
}

int iso_weeks_in(int year) {
  const auto p = [](int y) { return (y + y / 4 - y / 100 + y / 400) % 7; };
  return p(year) == 4 || p(year - 1) == 3 ? 53 : 52;
}

// The ISO week from the day of the year: (ordinal - weekday + 10) / 7, into the neighbour years.
int iso_week(const year_month_day& date) {
  const int year = static_cast<int>(date.year());
  const int ordinal = (sys_days(date) - sys_days(date.year() / January / 0)).count();
  const int week =
      (ordinal - static_cast<int>(std::chrono::weekday(sys_days(date)).iso_encoding()) + 10) / 7;
  if (week < 1) return iso_weeks_in(year - 1);
  return week > iso_weeks_in(year) ? 1 : week;
}

std::vector<int> bold_days_of(StartedCalendar& c, int year, int month) {
  c.state().Rok = static_cast<Int16>(year);
  c.state().Mesic = static_cast<Int16>(month);
  c.state().Den = 1;
  c.calendar.Aktualizuj(0);
  std::vector<int> days;
  for (int i = 0; i < kDayCellCount; ++i)
    if (c.cell(i).font_bold()) days.push_back(std::stoi(c.caption(i)));
  return days;
}

TEST(CurrentRules, EasterMondayAndGoodFridayAreBoldOnTheGregorianDates) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.site.rules = CalendarRules::Current;
  for (int year = 1900; year <= 2100; ++year) {
    SCOPED_TRACE(year);
    // Days of March as 1..31, of April as 32..61; Easter has no fixed holiday beside it.
    std::vector<int> expected_march, expected_april;
    const auto expect = [&](int day_of_march) {
      (day_of_march <= 31 ? expected_march : expected_april)
          .push_back(day_of_march <= 31 ? day_of_march : day_of_march - 31);
    };
    const int sunday = easter_sunday_in_march(year);
    if (year >= 2016) expect(sunday - 2);
    expect(sunday + 1);
    EXPECT_EQ(bold_days_of(c, year, 3), expected_march);
    EXPECT_EQ(bold_days_of(c, year, 4), expected_april);
    EXPECT_EQ(c.calendar.Velikonoce(static_cast<Int16>(year)), make_date(year, 3, sunday + 1));
  }
}

TEST(CurrentRules, TheWeekNumberIsTheIsoWeekOfEveryDay) {
  StartedCalendar c(make_date(2020, 1, 1));
  c.site.rules = CalendarRules::Current;
  for (sys_days day = sys_days(2020y / January / 1); day <= sys_days(2030y / December / 31);
       day += days(1)) {
    const year_month_day date(day);
    c.state().AktDatum =
        make_date(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    c.calendar.Aktualizuj(1);
    ASSERT_EQ(c.calendar.widget(widget_ids::lblTyden).caption(), std::to_string(iso_week(date)))
        << static_cast<int>(date.year()) << '-' << static_cast<unsigned>(date.month()) << '-'
        << static_cast<unsigned>(date.day());
  }
}

// Where the two sets differ, the control's own stays as it was.
TEST(CurrentRules, TheControlsOwnRulesStayWhereTheyDiffer) {
  struct Week {
    CalendarRules rules;
    DateSerial date;
    const char* week;
  };
  const Week weeks[] = {
      {CalendarRules::Control, make_date(2021, 1, 4), "2"},
      {CalendarRules::Current, make_date(2021, 1, 4), "1"},
      {CalendarRules::Control, make_date(2021, 12, 31), "53"},
      {CalendarRules::Current, make_date(2021, 12, 31), "52"},
  };
  for (const Week& k : weeks) {
    StartedCalendar c(k.date);
    c.site.rules = k.rules;
    c.calendar.Aktualizuj(1);
    EXPECT_EQ(c.calendar.widget(widget_ids::lblTyden).caption(), k.week) << k.date;
  }
  struct Easter {
    CalendarRules rules;
    int year;
    DateSerial monday;
  };
  const Easter easters[] = {
      {CalendarRules::Control, 2025, make_date(2025, 4, 14)},
      {CalendarRules::Current, 2025, make_date(2025, 4, 21)},
      {CalendarRules::Control, 2028, make_date(2028, 4, 10)},
      {CalendarRules::Current, 2028, make_date(2028, 4, 17)},
  };
  for (const Easter& k : easters) {
    StartedCalendar c(make_date(k.year, 4, 1));
    c.site.rules = k.rules;
    EXPECT_EQ(c.calendar.Velikonoce(static_cast<Int16>(k.year)), k.monday) << k.year;
  }
}

// A holiday's cell is "svátek" by either rules; only the current ones name it in the description.
TEST(CurrentRules, AHolidaysDescriptionNamesItUnderTheCurrentRulesOnly) {
  struct Case {
    CalendarRules rules;
    int day;
    const char* description_starts;
  };
  const Case cases[] = {
      {CalendarRules::Current, 18, "Velký pátek. Dvojklik"},
      {CalendarRules::Current, 21, "Velikonoční pondělí. Dvojklik"},
      {CalendarRules::Control, 14, "Dvojklik"},
  };
  for (const Case& k : cases) {
    StartedCalendar c(make_date(2025, 4, 1));
    c.site.rules = k.rules;
    c.calendar.Aktualizuj(1);
    // 1 April 2025 is a Tuesday: the day's cell is day + 0.
    Widget& cell = c.cell(k.day);
    EXPECT_NE(cell.accessible_name().find(", svátek"), std::string::npos) << k.day;
    EXPECT_EQ(cell.accessible_description().rfind(k.description_starts, 0), 0u)
        << cell.accessible_description();
  }
}

}  // namespace
}  // namespace dnovar
