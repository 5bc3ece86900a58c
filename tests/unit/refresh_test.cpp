#include <gtest/gtest.h>

#include "core/easter.h"
#include "core/week_number.h"
#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::error_of;
using testing_support::StartedCalendar;

// Cells holding a day number, as (cell, day) pairs, and the bold ones.
std::vector<int> bold_days(StartedCalendar& c) {
  std::vector<int> days;
  for (int i = 0; i < kDayCellCount; ++i)
    if (c.cell(i).font_bold()) days.push_back(std::stoi(c.caption(i)));
  return days;
}

TEST(Refresh, ThirtyFirstOfAprilRunsIntoMay) {
  StartedCalendar c(make_date(2024, 4, 30));
  c.state().Rok = 2024, c.state().Mesic = 4, c.state().Den = 31;
  c.calendar.Aktualizuj(0);
  const CalendarState& s = c.state();
  EXPECT_EQ(s.AktDatum, make_date(2024, 5, 1));
  EXPECT_EQ((std::vector<int>{s.Rok, s.Mesic, s.Den, s.Dtyd, s.Dtyd1}),
            (std::vector<int>{2024, 5, 1, 3, 3}));
  EXPECT_EQ(c.calendar.widget(widget_ids::lblTyden).caption(), "18");
  for (int i = 0; i < kDayCellCount; ++i) {
    const bool in_month = i >= 2 && i <= 32;
    EXPECT_EQ(c.caption(i), in_month ? std::to_string(i - 1) : "") << i;
    EXPECT_EQ(c.cell(i).back_colour(), i == 2 ? kCyan : kButtonFace) << i;
  }
  EXPECT_EQ(bold_days(c), (std::vector<int>{1, 8}));
  EXPECT_EQ(c.calendar.widget(widget_ids::UpDown1).value(), 5);
  EXPECT_EQ(c.calendar.widget(widget_ids::UpDown2).value(), 2024);
  EXPECT_EQ(c.calendar.widget(widget_ids::UpDown3).value(), 1);
  EXPECT_EQ(c.calendar.widget(widget_ids::cmbMonth).text(), "Květen");
  EXPECT_EQ(c.calendar.widget(widget_ids::txtDen).text(), "1");
  EXPECT_EQ(c.calendar.widget(widget_ids::txtYear).text(), "2024");
  EXPECT_EQ(c.calendar.widget(widget_ids::lblPrestup).caption(), "Přestupný rok");
  EXPECT_EQ(s.Aktualizace, kFalse);
}

TEST(Refresh, MonthLayouts) {
  struct Case {
    int year, month;
    int first_cell, last_cell;  // cells of day 1 and of the last day
    bool leap;
  };
  const Case cases[] = {
      {2000, 2, 1, 29, true},   // 29 days, "Přestupný rok"
      {1900, 2, 3, 30, false},  // 28 days, no leap year
      {2100, 2, 0, 27, false},  // 1 February 2100 is a Monday: cells 0..27
      {2011, 5, 6, 36, false},  // 1 May 2011 is a Sunday: "31" in cell 36, "30" in cell 35
      {2021, 2, 0, 27, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.year << '-' << k.month);
    StartedCalendar c(make_date(k.year, k.month, 1));
    for (int i = 0; i < kDayCellCount; ++i) {
      const bool in_month = i >= k.first_cell && i <= k.last_cell;
      EXPECT_EQ(c.caption(i), in_month ? std::to_string(i - k.first_cell + 1) : "") << i;
      if (!in_month) {
        EXPECT_FALSE(c.cell(i).font_bold()) << i;
        EXPECT_EQ(c.cell(i).back_colour(), kButtonFace) << i;
      }
    }
    EXPECT_EQ(c.state().Prestup, to_bool16(k.leap));
    EXPECT_EQ(c.calendar.widget(widget_ids::lblPrestup).caption(), k.leap ? "Přestupný rok" : "");
  }
}

TEST(Refresh, WeekNumbers) {
  const std::pair<CivilDate, const char*> cases[] = {
      {{2000, 1, 1}, "1"},    {{2000, 1, 2}, "1"}, {{2000, 1, 3}, "2"}, {{2012, 12, 31}, "54"},
      {{2001, 12, 31}, "53"}, {{2024, 1, 1}, "1"}, {{2023, 1, 1}, "1"}, {{2023, 1, 2}, "2"},
  };
  for (const auto& [date, week] : cases) {
    StartedCalendar c(make_date(date.year, date.month, date.day));
    EXPECT_EQ(c.calendar.widget(widget_ids::lblTyden).caption(), week)
        << date.year << '-' << date.month << '-' << date.day;
  }
}

TEST(Refresh, HighlightedInterval) {
  struct Case {
    int dlow, dhigh;
    std::vector<int>
        highlighted_cells;  // in May 2024 (Dtyd1 = 3, day d in cell d + 1), current day 20
  };
  const Case cases[] = {
      {0, 5, {}},
      {5, 0, {}},
      {10, 5, {}},
      {15, 25, {16, 17, 18, 19, 20, 22, 23, 24, 25, 26}},  // day 20 (cell 21) stays cyan
      {-1, -1, {0}},                                       // -1 + 3 - 2 = cell 0
      {30, 40, {31, 32, 33, 34, 35, 36}},                  // cells past 36 are skipped
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.dlow << ".." << k.dhigh);
    StartedCalendar c(make_date(2024, 5, 20));
    c.state().Dlow = static_cast<Int16>(k.dlow);
    c.state().Dhigh = static_cast<Int16>(k.dhigh);
    c.calendar.Aktualizuj(0);
    for (int i = 0; i < kDayCellCount; ++i) {
      const bool highlighted = std::find(k.highlighted_cells.begin(), k.highlighted_cells.end(),
                                         i) != k.highlighted_cells.end();
      const Colour expected = i == 21 ? kCyan : highlighted ? kYellow : kButtonFace;
      EXPECT_EQ(c.cell(i).back_colour(), expected) << i;
    }
  }
}

TEST(Refresh, ThirtyDayMonthPaintsTheEmptyCellAfterDay30) {
  StartedCalendar c(make_date(2024, 4, 1));  // April 2024: 1st is a Monday, day 30 in cell 29
  c.state().Dlow = 28, c.state().Dhigh = 31;
  c.calendar.Aktualizuj(0);
  for (int i : {27, 28, 29, 30}) EXPECT_EQ(c.cell(i).back_colour(), kYellow) << i;
  EXPECT_EQ(c.caption(30), "");
}

TEST(Refresh, HolidaysInBold) {
  struct Case {
    int year, month;
    std::vector<int> bold;
  };
  const Case cases[] = {
      {2000, 4, {24}},  {2024, 3, {}},     {2024, 4, {1}},    {2024, 12, {24, 25, 26}},
      {2024, 1, {1}},   {2024, 5, {1, 8}}, {2024, 7, {5, 6}}, {2024, 9, {28}},
      {2024, 10, {28}}, {2024, 11, {17}},  {2024, 2, {}},     {2024, 6, {}},
      {2016, 3, {28}},  // Easter Monday in March
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.year << '-' << k.month);
    StartedCalendar c(make_date(k.year, k.month, 2));
    EXPECT_EQ(bold_days(c), k.bold);
    c.state().Svatky = kFalse;
    c.calendar.Aktualizuj(0);
    EXPECT_EQ(bold_days(c), std::vector<int>{});
  }
}

TEST(Refresh, DecemberHolidaysAfterApril) {
  StartedCalendar c(make_date(2024, 4, 1));
  c.state().Mesic = 12;
  c.calendar.Aktualizuj(0);
  EXPECT_EQ(bold_days(c), (std::vector<int>{24, 25, 26}));
}

TEST(Easter, KnownYears) {
  const std::pair<int, CivilDate> cases[] = {
      {2000, {2000, 4, 24}}, {2019, {2019, 4, 22}}, {2024, {2024, 4, 1}},
      {2026, {2026, 4, 6}},  {1997, {1997, 3, 31}}, {2001, {2001, 4, 9}},
      {2025, {2025, 4, 14}}, {1761, {1761, 3, 23}}, {24, {2024, 4, 1}},
  };
  for (const auto& [year, date] : cases)
    EXPECT_EQ(civil_date(estimated_easter_monday(static_cast<Int16>(year))), date) << year;
}

TEST(Easter, AlwaysAMondayAfterTheTwentyFirstOfMarch) {
  for (int year = 0; year <= 9999; ++year) {
    const DateSerial easter = estimated_easter_monday(static_cast<Int16>(year));
    const int full_year = year < 30 ? year + 2000 : year < 100 ? year + 1900 : year;
    ASSERT_EQ(weekday(easter), 1) << year;
    ASSERT_EQ(civil_date(easter).year, full_year) << year;
    const double after = easter - make_date(full_year, 3, 21);
    ASSERT_GE(after, 1) << year;
    ASSERT_LE(after, 38) << year;  // a lunation plus a week
  }
  EXPECT_EQ(error_of([] { estimated_easter_monday(10000); }), 5);
  EXPECT_EQ(error_of([] { estimated_easter_monday(-1); }), 5);
}

TEST(RefreshFailure, OverflowingIntervalStopsAfterTheNumbersAndHolidays) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.state().Dlow = 200, c.state().Dhigh = 200, c.state().Mesic = 12;
  EXPECT_EQ(error_of([&] { c.calendar.Aktualizuj(0); }), 6);
  // Steps before the interval are on screen: December's numbers and holidays.
  EXPECT_EQ(c.caption(0), "");
  EXPECT_EQ(c.caption(6), "1");  // 1 December 2024 is a Sunday
  EXPECT_EQ(bold_days(c), (std::vector<int>{24, 25, 26}));
  EXPECT_EQ(c.calendar.widget(widget_ids::cmbMonth).text(), "Prosinec");
  // ...but not the current day's cyan, and the refresh is still marked as running.
  for (int i = 0; i < kDayCellCount; ++i) EXPECT_EQ(c.cell(i).back_colour(), kButtonFace) << i;
  EXPECT_EQ(c.state().Aktualizace, kTrue);
  c.state().Dlow = 0;
  c.calendar.Aktualizuj(0);
  EXPECT_EQ(c.state().Aktualizace, kFalse);
}

TEST(RefreshFailure, NegativeIntervalIsMissingCellAndTouchesNoCell) {
  StartedCalendar c(make_date(2024, 5, 20));  // Dtyd1 = 3
  c.state().Dlow = -5, c.state().Dhigh = -3;
  EXPECT_EQ(error_of([&] { c.calendar.Aktualizuj(0); }), 340);
  for (int i = 0; i < kDayCellCount; ++i) EXPECT_EQ(c.cell(i).back_colour(), kButtonFace) << i;
  EXPECT_EQ(c.state().Aktualizace, kTrue);
}

TEST(RefreshFailure, YearOutsideTheDateRangeIsInvalid) {
  StartedCalendar c(make_date(2024, 5, 20));
  for (Int16 year : {Int16{10000}, Int16{-5}}) {
    c.state().Rok = year;
    EXPECT_EQ(error_of([&] { c.calendar.Aktualizuj(0); }), 5) << year;
    EXPECT_EQ(c.state().Aktualizace, kTrue);
  }
  c.state().Rok = 2024;
  c.calendar.Aktualizuj(0);
  EXPECT_EQ(c.state().Aktualizace, kFalse);
}

TEST(RefreshFailure, IntervalCounterOverflowsAtTheTopOfTheRange) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.state().Dlow = 1, c.state().Dhigh = 32767 - 1;  // end cell 32767: the counter steps past it
  EXPECT_EQ(error_of([&] { c.calendar.Aktualizuj(0); }), 6);
}

TEST(Datum, SetThenRefreshWithAndWithoutArgument) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.calendar.put_Datum(make_date(2001, 2, 13) + 0.75);
  EXPECT_EQ(c.calendar.Datum(), make_date(2001, 2, 13) + 0.75);
  EXPECT_EQ(c.calendar.widget(widget_ids::cmbMonth).text(), "Květen");
  c.calendar.Aktualizuj(0);
  EXPECT_EQ(c.calendar.Datum(), make_date(2024, 5, 20));
  c.calendar.put_Datum(make_date(2001, 2, 13) + 0.75);
  c.calendar.Aktualizuj(1);
  EXPECT_EQ(c.calendar.Datum(), make_date(2001, 2, 13) + 0.75);
  EXPECT_EQ(c.calendar.widget(widget_ids::cmbMonth).text(), "Únor");
  EXPECT_EQ(c.cell(cell_for_day(13, weekday(make_date(2001, 2, 1)))).back_colour(), kCyan);
  EXPECT_EQ(c.site.received, (std::vector<std::string>{"changed Datum", "changed Datum"}));
}

TEST(StartUp, OpensOnTodayForDateZeroAndRepairsBlackHighlight) {
  StartedCalendar c(0, make_date(2026, 12, 7));
  EXPECT_EQ(c.calendar.Datum(), make_date(2026, 12, 7));
  EXPECT_EQ(c.state().DenStisk, -1);
  const auto items = c.calendar.widget(widget_ids::cmbMonth).items();
  ASSERT_EQ(items.size(), 12u);
  EXPECT_EQ(items.front(), "Leden");
  EXPECT_EQ(items.back(), "Prosinec");

  testing_support::TestSite site;
  Calendar calendar(site);
  calendar.state().VyberColor = Variant::i4(0);
  calendar.state().AktDatum = make_date(2024, 5, 20) + 0.5;
  calendar.Inicializuj();
  EXPECT_EQ(calendar.VyberColor(), static_cast<Int32>(kYellow));
  EXPECT_EQ(calendar.Datum(), make_date(2024, 5, 20));  // the time of day is gone
  EXPECT_TRUE(site.received.empty());
}

TEST(Enabled, RefreshCopiesTheWholeControlsStateExceptTxtDen) {
  StartedCalendar c(make_date(2024, 5, 20));
  for (bool enabled : {false, true}) {
    c.calendar.put_Enabled(enabled);
    c.calendar.Aktualizuj(0);
    for (std::size_t i = 0; i < c.calendar.surface().widget_count(); ++i) {
      const WidgetId id{static_cast<int>(i)};
      EXPECT_EQ(c.calendar.widget(id).enabled(), enabled && !(id == widget_ids::txtDen)) << i;
    }
    EXPECT_EQ(c.calendar.Enabled(), to_bool16(enabled));
  }
}

TEST(Accessors, VyberColorAndCaptionWriteRules) {
  StartedCalendar c(make_date(2024, 5, 20));
  struct Case {
    Int32 written;
    Int32 read_back;
    bool notified;
  };
  const Case cases[] = {{0, 0x0000FFFF, false},
                        {1, 1, true},
                        {static_cast<Int32>(0x8000000Fu), 1, false},
                        {0x00FF00FF, 0x00FF00FF, true}};
  for (const Case& k : cases) {
    c.site.received.clear();
    c.calendar.put_VyberColor(k.written);
    EXPECT_EQ(c.calendar.VyberColor(), k.read_back) << k.written;
    EXPECT_EQ(c.site.received.size(), k.notified ? 1u : 0u) << k.written;
  }
  for (const char* caption : {" Kalendář ", "", "  x  "}) {
    c.calendar.put_Caption(caption);
    EXPECT_EQ(c.calendar.Caption(), caption);
  }
}

TEST(Focus, FrameCaptionBoldWhileFocusInside) {
  StartedCalendar c(make_date(2024, 5, 20));
  Widget& frame = c.calendar.widget(widget_ids::Frame1);
  EXPECT_FALSE(frame.font_bold());
  c.surface().user_focus_in();
  EXPECT_TRUE(frame.font_bold());
  c.surface().user_focus_out();
  EXPECT_FALSE(frame.font_bold());
}

// The focus leaves a control disabled while it is inside, and a disabled control takes none.
TEST(Focus, ADisabledControlHoldsNoFocus) {
  enum class Step { In, Out, Disable, Enable };
  const struct {
    std::vector<Step> steps;
    bool bold;
  } cases[] = {
      {{Step::In, Step::Disable}, false},
      {{Step::In, Step::Disable, Step::Enable}, false},
      {{Step::Disable, Step::In}, false},
      {{Step::Disable, Step::In, Step::Enable}, false},
      {{Step::Disable, Step::Enable, Step::In}, true},
      {{Step::In, Step::In, Step::Out}, false},
  };
  for (const auto& k : cases) {
    StartedCalendar c(make_date(2024, 5, 20));
    for (Step step : k.steps) {
      if (step == Step::In) c.surface().user_focus_in();
      if (step == Step::Out) c.surface().user_focus_out();
      if (step == Step::Disable || step == Step::Enable)
        c.calendar.put_Enabled(step == Step::Enable);
    }
    EXPECT_EQ(c.calendar.widget(widget_ids::Frame1).font_bold(), k.bold) << k.steps.size();
    EXPECT_EQ(c.surface().focus_inside(), k.bold) << k.steps.size();
  }
}

TEST(WeekNumber, DecemberReachesFiftyFour) {
  EXPECT_EQ(week_number(make_date(2012, 12, 31), 2012), 54);
  EXPECT_EQ(week_number(make_date(2000, 1, 2), 2000), 1);
}

}  // namespace
}  // namespace dnovar
