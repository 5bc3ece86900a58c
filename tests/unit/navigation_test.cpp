#include <gtest/gtest.h>

#include "test_site.h"

namespace dnovar {
namespace {

using namespace widget_ids;
using testing_support::StartedCalendar;

void type(StartedCalendar& c, WidgetId box, std::string_view keys) {
  for (char key : keys) c.surface().user_key(box, static_cast<unsigned char>(key));
}

CivilDate shown(StartedCalendar& c) {
  return civil_date(c.calendar.Datum());
}

TEST(MonthList, ChoosingAShorterMonthRunsOn) {
  struct Case {
    CivilDate from;
    int index;
    CivilDate to;
  };
  const Case cases[] = {
      {{2023, 1, 31}, 1, {2023, 3, 3}},  // 31 February 2023 -> 3 March
      {{2024, 1, 31}, 1, {2024, 3, 2}},  // leap year -> 2 March
      {{2024, 5, 20}, 11, {2024, 12, 20}},
      {{2024, 5, 20}, 0, {2024, 1, 20}},
  };
  for (const Case& k : cases) {
    StartedCalendar c(make_date(k.from.year, k.from.month, k.from.day));
    c.surface().user_choose(cmbMonth, k.index);
    EXPECT_EQ(shown(c), k.to);
  }
}

TEST(Spinners, FirstNotificationOnlyUpdatesTheMember) {
  // Started on the 1st: the start-up refresh leaves the day spinner at 1, so its first
  // notification is still to come.
  StartedCalendar c(make_date(2024, 5, 1));
  EXPECT_EQ(c.state().UpDown3Start, 0);
  EXPECT_EQ(c.state().UpDown1Start, 1);  // month 1 -> 5 was its first change
  c.surface().user_spin(UpDown3, true);
  EXPECT_EQ(c.state().Den, 2);
  EXPECT_EQ(c.state().UpDown3Start, 1);
  EXPECT_EQ(shown(c), (CivilDate{2024, 5, 1}));  // no refresh
  c.surface().user_spin(UpDown3, true);
  EXPECT_EQ(shown(c), (CivilDate{2024, 5, 3}));  // the member moved twice
}

TEST(Spinners, StepsAcrossMonthEndsAndStopsAtTheirLimits) {
  struct Case {
    CivilDate from;
    WidgetId spinner;
    bool up;
    CivilDate to;
  };
  const Case cases[] = {
      {{2024, 4, 30}, UpDown3, true, {2024, 5, 1}},
      {{2023, 2, 28}, UpDown3, true, {2023, 3, 1}},
      {{2024, 5, 31}, UpDown3, true, {2024, 5, 31}},  // 31 is the spinner's maximum
      {{2024, 5, 20}, UpDown1, true, {2024, 6, 20}},
      {{2024, 12, 20}, UpDown1, true, {2024, 12, 20}},  // no wrap
      {{2024, 1, 31}, UpDown1, true, {2024, 3, 2}},
      {{2024, 5, 20}, UpDown2, false, {2023, 5, 20}},
      {{2024, 2, 29}, UpDown2, true, {2025, 3, 1}},
  };
  for (const Case& k : cases) {
    StartedCalendar c(make_date(k.from.year, k.from.month, k.from.day));
    c.state().UpDown1Start = c.state().UpDown2Start = c.state().UpDown3Start = 1;
    c.surface().user_spin(k.spinner, k.up);
    EXPECT_EQ(shown(c), k.to) << k.from.year << '-' << k.from.month << '-' << k.from.day;
    EXPECT_EQ(c.calendar.widget(UpDown3).value(), k.to.day);
  }
}

TEST(Spinners, NoRefreshWhileAFailedRefreshLeftTheFlagSet) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.state().UpDown3Start = 1;
  c.state().Dlow = 200, c.state().Dhigh = 200;
  c.surface().user_click(cmdDnes);
  EXPECT_EQ(c.site.received.back(), "error 6");
  c.state().Dlow = 0;
  c.surface().user_spin(UpDown3, true);
  EXPECT_EQ(c.state().Den, 21);
  EXPECT_EQ(c.state().Aktualizace, kTrue);  // the spinner did not refresh
  c.surface().user_click(cmdDnes);          // a button does, and clears the flag
  EXPECT_EQ(c.state().Aktualizace, kFalse);
}

TEST(KeyFilters, BeepAndDiscard) {
  struct Case {
    WidgetId box;
    const char* keys;
    const char* text;
    int beeps;
  };
  const Case cases[] = {
      {txtDplus, "-12", "-12", 0},  {txtDplus, "1a 2", "12", 2}, {txtDplus, "x", "", 1},
      {txtYear, "2030", "2030", 0}, {txtYear, "-20", "20", 1},   {txtYear, "2.5", "25", 1},
  };
  for (const Case& k : cases) {
    StartedCalendar c(make_date(2024, 5, 20));
    c.surface().user_paste(k.box, "");
    type(c, k.box, k.keys);
    EXPECT_EQ(c.calendar.widget(k.box).text(), k.text) << k.keys;
    EXPECT_EQ(c.site.toolkit_.beeps(), k.beeps) << k.keys;
  }
}

TEST(KeyFilters, EnterInTheShiftBoxSetsDplusOnly) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.surface().user_paste(txtDplus, "");
  type(c, txtDplus, "-7\r");
  EXPECT_EQ(c.state().Dplus, -7);
  EXPECT_EQ(shown(c), (CivilDate{2024, 5, 20}));
  EXPECT_EQ(c.calendar.widget(txtDplus).text(), "-7");
}

TEST(KeyFilters, EnterInTheYearBox) {
  struct Case {
    const char* typed;
    int year;          // shown afterwards
    const char* text;  // in the box afterwards
    std::vector<std::string> received;
  };
  const Case cases[] = {
      {"2030\r", 2030, "2030", {}},
      {"24\r", 2024, "2024", {}},
      {"40000\r", 2024, "40000", {"error 6"}},  // no refresh: the typed text stays
      {"12000\r", 2024, "2024", {"error 5"}},   // the previous year is shown again
      {"5000\r", 5000, "5000", {}},             // outside the spinner's range: stored unclamped
  };
  for (const Case& k : cases) {
    StartedCalendar c(make_date(2024, 5, 20));
    c.surface().user_paste(txtYear, "");
    type(c, txtYear, k.typed);
    EXPECT_EQ(c.state().Rok, k.year) << k.typed;
    EXPECT_EQ(c.calendar.widget(txtYear).text(), k.text) << k.typed;
    EXPECT_EQ(c.site.received, k.received) << k.typed;
    EXPECT_EQ(c.state().Aktualizace, kFalse) << k.typed;
  }
}

TEST(ShiftButton, MovesByTheTypedNumber) {
  struct Case {
    const char* box;
    CivilDate to;
    int error;
  };
  static const std::string huge(400, '9');
  const Case cases[] = {
      {"-7", {2024, 5, 13}, 0},         {"", {2024, 5, 20}, 0},    {"12", {2024, 6, 1}, 0},
      {"-141", {2023, 12, 31}, 0},      {"0.5", {2024, 5, 20}, 0}, {"3000000", {2024, 5, 20}, 6},
      {huge.c_str(), {2024, 5, 20}, 6},
  };
  for (const Case& k : cases) {
    StartedCalendar c(make_date(2024, 5, 20));
    c.state().Dplus = 3;
    c.surface().user_paste(txtDplus, k.box);
    c.surface().user_click(cmdDplus);
    EXPECT_EQ(shown(c), k.to) << k.box;
    EXPECT_EQ(c.calendar.Datum(), make_date(k.to.year, k.to.month, k.to.day)) << k.box;
    if (k.error) {
      EXPECT_EQ(c.site.received, std::vector<std::string>{"error " + std::to_string(k.error)});
      EXPECT_EQ(c.calendar.widget(txtDplus).text(), k.box);
    } else {
      EXPECT_EQ(c.calendar.widget(txtDplus).text(), "3");  // the refresh writes Dplus back
    }
  }
}

TEST(Buttons, TodayAndClose) {
  StartedCalendar c(make_date(2001, 1, 1), make_date(2026, 12, 7));
  c.surface().user_click(cmdDnes);
  EXPECT_EQ(shown(c), (CivilDate{2026, 12, 7}));
  EXPECT_EQ(c.state().Dtyd, 1);
  c.surface().user_click(cmdZavri);
  c.surface().user_click(cmdZavri);
  EXPECT_EQ(c.site.received, (std::vector<std::string>{"event Zavri", "event Zavri"}));
  EXPECT_EQ(shown(c), (CivilDate{2026, 12, 7}));
}

TEST(Enabled, DisabledControlTakesNoInput) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.calendar.put_Enabled(false);
  c.site.received.clear();
  c.surface().user_click(cmdZavri);
  c.surface().user_click(cmdDnes);
  c.surface().user_double_click(day_cell_id(5));
  type(c, txtYear, "x");
  EXPECT_TRUE(c.site.received.empty());
  EXPECT_EQ(shown(c), (CivilDate{2024, 5, 20}));
}

}  // namespace
}  // namespace dnovar
