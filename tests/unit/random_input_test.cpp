// Seeded random sequences of user input: nothing crashes, every value stays defined, and after
// every refresh that completes, Rok, Mesic, Den and Dtyd are the parts of AktDatum.
#include <gtest/gtest.h>

#include <random>

#include "test_site.h"

namespace dnovar {
namespace {

using namespace widget_ids;
using testing_support::StartedCalendar;

class RandomUser {
 public:
  RandomUser(StartedCalendar& c, unsigned seed) : c_(c), random_(seed) {}

  void act() {
    HeadlessSurface& s = c_.surface();
    switch (pick(0, 11)) {
      case 0:
        s.user_click(pick(0, 1) ? cmdDnes : cmdZavri);
        break;
      case 1:
        s.user_click(cmdDplus);
        break;
      case 2:
        s.user_choose(cmbMonth, pick(0, 11));
        break;
      case 3:
        s.user_spin(std::array{UpDown1, UpDown2, UpDown3}[pick(0, 2)], pick(0, 1) == 1);
        break;
      case 4:
        s.user_key(pick(0, 1) ? txtYear : txtDplus, key());
        break;
      case 5:
        s.user_paste(pick(0, 1) ? txtYear : txtDplus, text());
        break;
      case 6:
        s.user_mouse_down(cell(), pick(1, 2));
        break;
      case 7:
      case 8:
        s.user_mouse_move(cell(), pick(0, 3));
        break;
      case 9:
        s.user_double_click(cell());
        break;
      case 10:
        pick(0, 1) ? s.user_focus_in() : s.user_focus_out();
        break;
      case 11:
        c_.calendar.put_Enabled(pick(0, 9) != 0);
        break;
    }
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  WidgetId cell() { return day_cell_id(pick(0, kDayCellCount - 1)); }
  int key() {
    static constexpr char keys[] = "0123456789-\r\b a.";
    return static_cast<unsigned char>(keys[pick(0, sizeof keys - 2)]);
  }
  std::string text() {
    static const char* const texts[] = {"",      "-7",  "31",       "2030", "12000",
                                        "40000", "abc", "-3000000", "0.5",  "99"};
    return texts[pick(0, 9)];
  }

  StartedCalendar& c_;
  std::mt19937 random_;
};

void expect_defined(StartedCalendar& c) {
  const CalendarState& s = c.state();
  ASSERT_TRUE(is_valid_date(s.AktDatum));
  ASSERT_GE(s.DenStisk, -1);
  ASSERT_LE(s.DenStisk, kDayCellCount - 1);
  for (int i = 0; i < kDayCellCount; ++i) {
    const Colour back = c.cell(i).back_colour();
    ASSERT_TRUE(back == kButtonFace || back == kYellow || back == kCyan) << i;
    const std::string caption = c.caption(i);
    if (!caption.empty()) {
      ASSERT_GE(std::stoi(caption), 1);
      ASSERT_LE(std::stoi(caption), 31);
    }
  }  // The caption is bold exactly while the focus is inside, whatever enabled state came between.
  ASSERT_EQ(c.calendar.widget(widget_ids::Frame1).font_bold(), c.surface().focus_inside());
}

void expect_consistent_after_refresh(StartedCalendar& c) {
  const CalendarState& s = c.state();
  const DateParts parts = date_parts(s.AktDatum);
  ASSERT_EQ(s.Rok, parts.date.year);
  ASSERT_EQ(s.Mesic, parts.date.month);
  ASSERT_EQ(s.Den, parts.date.day);
  ASSERT_EQ(s.Dtyd, parts.weekday);
  ASSERT_EQ(c.caption(cell_for_day(s.Den, s.Dtyd1)), std::to_string(s.Den));
  ASSERT_EQ(c.cell(cell_for_day(s.Den, s.Dtyd1)).back_colour(), kCyan);
}

TEST(RandomInput, ThousandsOfSequencesKeepTheCalendarConsistent) {
  for (unsigned seed = 1; seed <= 2000; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    StartedCalendar c(make_date(2024, 5, 1) + (seed * 7919) % 20000);
    // A spinner's first notification moves its member without a refresh. Half the sequences
    // start with those consumed: there a cleared refresh flag means the members are consistent.
    const bool first_notifications_consumed = seed % 2 == 0;
    if (first_notifications_consumed)
      c.state().UpDown1Start = c.state().UpDown2Start = c.state().UpDown3Start = 1;
    RandomUser user(c, seed);
    for (int step = 0; step < 40; ++step) {
      user.act();
      ASSERT_NO_FATAL_FAILURE(expect_defined(c)) << "step " << step;
      if (first_notifications_consumed && c.state().Aktualizace == kFalse) {
        ASSERT_NO_FATAL_FAILURE(expect_consistent_after_refresh(c)) << "step " << step;
      }
    }
  }
}

}  // namespace
}  // namespace dnovar
