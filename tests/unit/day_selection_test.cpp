#include <gtest/gtest.h>

#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::error_of;
using testing_support::StartedCalendar;

// May 2024: the 1st is a Wednesday (Dtyd1 = 3, day d in cell d + 1); the current day is 20.
constexpr int cell_of(int day) {
  return cell_for_day(day, 3);
}

struct Gesture {
  enum Kind { Down, Move, DoubleClick } kind;
  int cell;
  int buttons;
};

Gesture down(int cell, int button = kLeftButton) {
  return {Gesture::Down, cell, button};
}
Gesture move(int cell, int buttons) {
  return {Gesture::Move, cell, buttons};
}

// Press on `from`, a held move there, release over `to` and a small move within it.
std::vector<Gesture> drag(int from, int to, int button = kLeftButton) {
  return {down(from, button), move(from, button), move(to, button), move(to, 0)};
}

std::vector<int> painted_days(StartedCalendar& c) {
  std::vector<int> days;
  for (int i = 0; i < kDayCellCount; ++i)
    if (c.cell(i).back_colour() == kYellow) days.push_back(day_for_cell(i, 3));
  return days;
}

void play(StartedCalendar& c, const std::vector<Gesture>& gestures) {
  for (const Gesture& g : gestures) {
    const WidgetId id = day_cell_id(g.cell);
    if (g.kind == Gesture::Down)
      c.surface().user_mouse_down(id, g.buttons);
    else if (g.kind == Gesture::Move)
      c.surface().user_mouse_move(id, g.buttons);
    else
      c.surface().user_double_click(id);
  }
}

std::vector<Gesture> concat(std::initializer_list<std::vector<Gesture>> parts) {
  std::vector<Gesture> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(DaySelection, Drags) {
  struct Case {
    const char* what;
    int dlow, dhigh;  // before, applied by a refresh
    std::vector<Gesture> gestures;
    int expected_low, expected_high;
    std::vector<int> painted;
    bool press_pending = false;  // no drag completed: the press is still recorded
  };
  const Case cases[] = {
      {"left 5..9", 0, 0, drag(cell_of(5), cell_of(9)), 5, 9, {5, 6, 7, 8, 9}},
      {"left 9..5 paints nothing", 0, 0, drag(cell_of(9), cell_of(5)), 0, 0, {}},
      {"left from empty cell 1", 0, 0, drag(1, cell_of(4)), 1, 4, {0, 1, 2, 3, 4}},
      {"left from cell 0 sets no Dlow", 0, 0, drag(0, cell_of(4)), 1, 4, {-1, 0, 1, 2, 3, 4}},
      {"left from cell 0 beside an older run",
       7,
       8,
       drag(0, cell_of(4)),
       7,
       8,
       {-1, 0, 1, 2, 3, 4, 7, 8}},
      {"left past day 31 ends at its cell", 0, 0, drag(cell_of(29), 36), 29, 31, {29, 30, 31}},
      {"right 7..12 over 5..9", 5, 9, drag(cell_of(7), cell_of(12), kRightButton), 5, 6, {5, 6}},
      {"right over everything", 5, 9, drag(cell_of(3), cell_of(12), kRightButton), 0, 0, {}},
      {"last run wins",
       15,
       25,
       drag(cell_of(27), cell_of(28)),
       27,
       28,
       {15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 27, 28}},
      {"press and release without a held move",
       0,
       0,
       {down(cell_of(5)), move(cell_of(9), 0), move(cell_of(10), 0)},
       0,
       0,
       {},
       true},
      {"both buttons, left released first, then a left drag",
       0,
       0,
       concat({{down(cell_of(5)), move(cell_of(5), 3), move(cell_of(9), 2)},
               {down(cell_of(11)), move(cell_of(13), 1), move(cell_of(14), 0)}}),
       5,
       9,
       {5, 6, 7, 8, 9}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    StartedCalendar c(make_date(2024, 5, 20));
    c.state().Dlow = static_cast<Int16>(k.dlow);
    c.state().Dhigh = static_cast<Int16>(k.dhigh);
    c.calendar.Aktualizuj(0);
    play(c, k.gestures);
    EXPECT_EQ(c.state().Dlow, k.expected_low);
    EXPECT_EQ(c.state().Dhigh, k.expected_high);
    EXPECT_EQ(painted_days(c), k.painted);
    EXPECT_EQ(c.cell(cell_of(20)).back_colour(), kCyan);
    EXPECT_EQ(c.state().DenStisk, k.press_pending ? cell_of(5) : -1);
  }
}

TEST(DaySelection, BothButtonsLeaveTheRightDragPending) {
  StartedCalendar c(make_date(2024, 5, 20));
  play(c, drag(cell_of(5), cell_of(9)));
  // Both held, left released first: the left drag completes, the right flag stays set.
  play(c, {down(cell_of(11)), move(cell_of(11), 3), move(cell_of(12), 2)});
  EXPECT_EQ(c.state().TahPravy, kTrue);
  EXPECT_EQ(c.state().Dlow, 11);
  EXPECT_EQ(c.state().Dhigh, 12);
  // The next left drag's first held move completes the pending right drag from its press cell.
  play(c, {down(cell_of(6)), move(cell_of(8), kLeftButton)});
  EXPECT_EQ(painted_days(c), (std::vector<int>{5, 9, 11, 12}));
  EXPECT_EQ(c.state().TahPravy, kFalse);
  EXPECT_EQ(c.state().Dlow, 11);
  EXPECT_EQ(c.state().Dhigh, 12);
}

TEST(DaySelection, PlainHighlightColourMakesEveryPlainCellHighlighted) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.state().VyberColor = Variant::i4(static_cast<Int32>(kButtonFace));
  play(c, drag(cell_of(5), cell_of(6)));
  EXPECT_EQ(c.state().Dlow, 21);   // the run after the cyan current day
  EXPECT_EQ(c.state().Dhigh, 19);  // the run before it ends at day 19
}

TEST(DaySelection, AnOlderDlowSurvivesADragFromCellZero) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.state().Dlow = 7;  // a host's write, not yet shown
  play(c, drag(0, cell_of(4)));
  EXPECT_EQ(c.state().Dlow, 7);
  EXPECT_EQ(c.state().Dhigh, 4);
}

// A calendar with its handlers, left by a host as `prepare` leaves it.
struct HostedCalendar {
  testing_support::TestSite site;
  Calendar calendar{site};
  CalendarEvents events{calendar};
};

void start_on_20_may_2024(Calendar& c) {
  c.state().AktDatum = make_date(2024, 5, 20);
  c.Inicializuj();
}

// May 2024 as drawn: day 1 in cell 2, 31 days.
constexpr DrawnMonth kMay2024{2, 31};
static_assert(day_for_cell(kMay2024, 2) == 1 && cell_for_day(kMay2024, 1) == 2);
static_assert(day_for_cell(kMay2024, 32) == 31 && cell_for_day(kMay2024, 31) == 32);
static_assert(day_for_cell(kMay2024, 1) == 0 && day_for_cell(kMay2024, 33) == 0);

// A double-click picks the day its cell shows: what the refresh last drew, whatever the host wrote
// since. A blank cell picks nothing; before the first refresh every cell shows "D", no day (13).
TEST(DaySelection, DoubleClickPicksTheDayTheCellShows) {
  const struct {
    const char* what;
    void (*prepare)(Calendar&);
    int days_shown;
    int cell_of_1st;  // -1: none shows it
  } cases[] = {
      {"before the first refresh", [](Calendar&) {}, 0, -1},
      {"refreshed before the start-up: a month without days", [](Calendar& c) { c.Aktualizuj(0); },
       0, -1},
      {"May 2024", start_on_20_may_2024, 31, 2},
      {"February of a leap year",
       [](Calendar& c) {
         start_on_20_may_2024(c);
         c.state().Mesic = 2;
         c.Aktualizuj(0);
       },
       29, 3},
      {"Dtyd1 rewritten by the host",
       [](Calendar& c) {
         start_on_20_may_2024(c);
         c.state().Dtyd1 = 6;
       },
       31, 2},
      {"a refresh failing before it draws",
       [](Calendar& c) {
         start_on_20_may_2024(c);
         c.state().Rok = 9999;
         c.state().Mesic = 12;
         c.state().Den = 32;
         EXPECT_EQ(error_of([&] { c.Aktualizuj(0); }), 5);
       },
       31, 2},
      {"a refresh failing after it draws",
       [](Calendar& c) {
         start_on_20_may_2024(c);
         c.state().Mesic = 6;
         c.state().Dlow = 32767;
         c.state().Dhigh = 1;
         EXPECT_EQ(error_of([&] { c.Aktualizuj(0); }), 6);
       },
       30, 5},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    int days_shown = 0;
    int cell_of_1st = -1;
    for (int cell = 0; cell < kDayCellCount; ++cell) {
      HostedCalendar h;
      k.prepare(h.calendar);
      const std::string shown = h.calendar.day_cell(cell).caption();
      const CalendarState before = h.calendar.state();
      h.site.received.clear();
      static_cast<HeadlessSurface&>(h.calendar.surface()).user_double_click(day_cell_id(cell));
      const CalendarState& after = h.calendar.state();
      if (shown.empty() || shown == "D") {
        EXPECT_EQ(h.site.received,
                  shown.empty() ? std::vector<std::string>{} : std::vector<std::string>{"error 13"})
            << cell;
        EXPECT_EQ(after.Den, before.Den) << cell;
        EXPECT_EQ(after.AktDatum, before.AktDatum) << cell;
        continue;
      }
      const int day = std::stoi(shown);
      ++days_shown;
      if (day == 1) cell_of_1st = cell;
      EXPECT_EQ(after.Den, day) << cell;
      EXPECT_EQ(after.AktDatum, make_date(before.Rok, before.Mesic, day)) << cell;
    }
    EXPECT_EQ(days_shown, k.days_shown);
    EXPECT_EQ(cell_of_1st, k.cell_of_1st);
  }
}

TEST(DaySelection, DoubleClick) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.surface().user_double_click(day_cell_id(cell_of(15)));
  EXPECT_EQ(c.state().Den, 15);
  EXPECT_EQ(c.cell(cell_of(15)).back_colour(), kCyan);
  EXPECT_EQ(c.cell(cell_of(20)).back_colour(), kButtonFace);
  c.site.received.clear();
  c.surface().user_double_click(day_cell_id(0));
  c.surface().user_double_click(day_cell_id(36));
  EXPECT_EQ(c.calendar.Datum(), make_date(2024, 5, 15));
  EXPECT_TRUE(c.site.received.empty());
}

}  // namespace
}  // namespace dnovar
