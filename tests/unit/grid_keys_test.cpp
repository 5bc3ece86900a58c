#include <gtest/gtest.h>

#include <vector>

#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::StartedCalendar;

struct Press {
  GridKey key;
  int modifiers = 0;
};
constexpr int kShift = kShiftHeld;
constexpr int kCtrlShift = kShiftHeld | kCtrlHeld;

void press_all(StartedCalendar& c, const std::vector<Press>& presses) {
  for (const Press& p : presses) c.surface().user_grid_key(p.key, p.modifiers);
}

std::vector<Press> repeat(Press press, int times) {
  return std::vector<Press>(static_cast<std::size_t>(times), press);
}

int cursor_day(StartedCalendar& c) {
  const int cell = c.surface().grid_cursor();
  return cell < 0 ? -1 : day_for_cell(cell, c.state().Dtyd1);
}

TEST(GridKeys, CursorMovesByDayAndWeekWithinTheMonth) {
  struct Case {
    const char* what;
    DateSerial date;
    std::vector<Press> presses;
    int expected_day;
  };
  const Case cases[] = {
      {"starts on the current day", make_date(2024, 5, 20), {}, 20},
      {"down is the next day", make_date(2024, 5, 20), {{GridKey::Down}}, 21},
      {"up is the day before", make_date(2024, 5, 20), {{GridKey::Up}}, 19},
      {"right is a week on", make_date(2024, 5, 20), {{GridKey::Right}}, 27},
      {"left is a week back", make_date(2024, 5, 20), {{GridKey::Left}}, 13},
      {"past the end stops on the last day", make_date(2024, 5, 20), repeat({GridKey::Right}, 2),
       31},
      {"before the 1st stops on it", make_date(2024, 5, 20), repeat({GridKey::Left}, 3), 1},
      {"up from the 1st stays", make_date(2024, 5, 1), {{GridKey::Up}}, 1},
      {"home", make_date(2024, 5, 20), {{GridKey::Home}}, 1},
      {"end of May", make_date(2024, 5, 20), {{GridKey::End}}, 31},
      {"end of a leap February", make_date(2024, 2, 3), {{GridKey::End}}, 29},
      {"end of a common February", make_date(2023, 2, 3), {{GridKey::End}}, 28},
      {"ctrl alone only moves", make_date(2024, 5, 20), {{GridKey::Down, kCtrlHeld}}, 21},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    StartedCalendar c(k.date);
    c.surface().user_focus_grid();
    press_all(c, k.presses);
    EXPECT_EQ(cursor_day(c), k.expected_day);
    EXPECT_EQ(c.state().Dlow, 0);
  }
}

// What a key sequence must do, written as the mouse would do it.
struct MouseAction {
  enum Kind { LeftDrag, RightDrag, DoubleClick } kind;
  int from_day;
  int to_day;
};

// A drag as a pointer makes it over the days from..to: press, a held move over each day in the
// order passed, release and the small move after it.
void play_mouse(StartedCalendar& c, const MouseAction& a) {
  HeadlessSurface& s = c.surface();
  const auto id = [&](int day) { return day_cell_id(cell_for_day(day, c.state().Dtyd1)); };
  if (a.kind == MouseAction::DoubleClick) {
    s.user_double_click(id(a.to_day));
    return;
  }
  const int button = a.kind == MouseAction::LeftDrag ? kLeftButton : kRightButton;
  s.user_mouse_down(id(a.from_day), button);
  const int step = a.to_day >= a.from_day ? 1 : -1;
  for (int day = a.from_day;; day += step) {
    s.user_mouse_move(id(day), button);
    if (day == a.to_day) break;
  }
  s.user_mouse_up(id(a.to_day), button);
  s.user_mouse_move(id(a.to_day), 0);
}

TEST(GridKeys, KeysDoWhatTheMouseDoes) {
  using A = MouseAction;
  struct Case {
    const char* what;
    int dlow, dhigh;  // before, applied by a refresh
    std::vector<Press> presses;
    std::vector<MouseAction> mouse;
  };
  const Case cases[] = {
      {"shift+down paints from where the keys started",
       0,
       0,
       repeat({GridKey::Down, kShift}, 3),
       {{A::LeftDrag, 20, 21}, {A::LeftDrag, 20, 22}, {A::LeftDrag, 20, 23}}},
      {"shift+right paints a week", 0, 0, {{GridKey::Right, kShift}}, {{A::LeftDrag, 20, 27}}},
      {"shift+up paints nothing, as a backwards drag",
       0,
       0,
       {{GridKey::Up, kShift}},
       {{A::LeftDrag, 20, 19}}},
      {"shift+end to the last day", 0, 0, {{GridKey::End, kShift}}, {{A::LeftDrag, 20, 31}}},
      {"ctrl+shift erases",
       15,
       25,
       repeat({GridKey::Down, kCtrlShift}, 2),
       {{A::RightDrag, 20, 21}, {A::RightDrag, 20, 22}}},
      {"a plain move starts a new run",
       0,
       0,
       {{GridKey::Down, kShift}, {GridKey::Right}, {GridKey::Down, kShift}},
       {{A::LeftDrag, 20, 21}, {A::LeftDrag, 28, 29}}},
      {"enter is a double-click",
       0,
       0,
       {{GridKey::Up}, {GridKey::Enter}},
       {{A::DoubleClick, 0, 19}}},
      {"space is a double-click",
       0,
       0,
       {{GridKey::Home}, {GridKey::Space, kShift}},
       {{A::DoubleClick, 0, 1}}},
      {"enter ends a run",
       0,
       0,
       {{GridKey::Down, kShift}, {GridKey::Enter}, {GridKey::Down, kShift}},
       {{A::LeftDrag, 20, 21}, {A::DoubleClick, 0, 21}, {A::LeftDrag, 21, 22}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    StartedCalendar keys(make_date(2024, 5, 20));
    StartedCalendar mouse(make_date(2024, 5, 20));
    for (StartedCalendar* c : {&keys, &mouse}) {
      c->state().Dlow = static_cast<Int16>(k.dlow);
      c->state().Dhigh = static_cast<Int16>(k.dhigh);
      c->calendar.Aktualizuj(0);
    }
    keys.surface().user_focus_grid();
    press_all(keys, k.presses);
    for (const MouseAction& a : k.mouse) play_mouse(mouse, a);

    EXPECT_EQ(keys.state().Dlow, mouse.state().Dlow);
    EXPECT_EQ(keys.state().Dhigh, mouse.state().Dhigh);
    EXPECT_EQ(keys.state().Den, mouse.state().Den);
    EXPECT_EQ(keys.calendar.Datum(), mouse.calendar.Datum());
    EXPECT_EQ(keys.state().DenStisk, mouse.state().DenStisk);
    EXPECT_EQ(keys.state().DenPohyb, mouse.state().DenPohyb);
    EXPECT_EQ(keys.state().TahLevy, mouse.state().TahLevy);
    EXPECT_EQ(keys.state().TahPravy, mouse.state().TahPravy);
    for (int i = 0; i < kDayCellCount; ++i)
      EXPECT_EQ(keys.cell(i).back_colour(), mouse.cell(i).back_colour()) << "cell " << i;
    EXPECT_EQ(cursor_day(keys), k.mouse.back().to_day);
  }
}

TEST(GridKeys, TheGridTakesTheFocusAfterTheControlsStops) {
  StartedCalendar c(make_date(2024, 5, 20));
  HeadlessSurface& s = c.surface();
  // No cursor and no keys before the grid has the focus.
  s.user_grid_key(GridKey::Down, kShift);
  EXPECT_EQ(s.grid_cursor(), -1);
  EXPECT_EQ(c.state().Dlow, 0);
  // From outside, the control is entered first (its frame caption turns bold).
  s.user_focus_grid();
  EXPECT_TRUE(s.focus_inside());
  EXPECT_TRUE(c.calendar.widget(widget_ids::Frame1).font_bold());
  EXPECT_EQ(cursor_day(c), 20);
  s.user_grid_key(GridKey::Down, 0);
  s.user_focus_out();
  EXPECT_EQ(s.grid_cursor(), -1);
  EXPECT_FALSE(c.calendar.widget(widget_ids::Frame1).font_bold());
  // Back on the grid, the cursor starts on the current day again.
  s.user_focus_in();
  s.user_focus_grid();
  EXPECT_EQ(cursor_day(c), 20);
  // A disabled control loses the grid's focus and takes none.
  c.calendar.put_Enabled(false);
  s.user_focus_grid();
  EXPECT_FALSE(s.grid_focused());
  EXPECT_EQ(s.grid_cursor(), -1);
}

TEST(GridKeys, ADayOutsideTheCellsTakesNoKeys) {
  // The host wrote a first weekday that puts the 1st before cell 0; the refresh has not run.
  StartedCalendar c(make_date(2024, 5, 1));
  c.state().Dtyd1 = 0;
  c.surface().user_focus_grid();
  EXPECT_EQ(c.surface().grid_cursor(), -1);
  press_all(c, {{GridKey::Down, kShift}, {GridKey::Enter}});
  EXPECT_EQ(c.state().DenStisk, -1);
  EXPECT_EQ(c.state().Dlow, 0);
  EXPECT_EQ(c.calendar.Datum(), make_date(2024, 5, 1));
  EXPECT_EQ(c.site.received, std::vector<std::string>{});
}

}  // namespace
}  // namespace dnovar
