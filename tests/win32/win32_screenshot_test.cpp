// A picture of the whole control as the real Windows controls draw it: its size at the window's
// DPI, each day cell's background where the surface table puts the cell, and holidays in bold,
// told by how much ink the day's number takes (fonts differ between systems, widths in bold do
// not shrink).
#include <gtest/gtest.h>

#include <memory>

#include "backends/win32/win32_picture.h"
#include "backends/win32/win32_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"

namespace dnovar {
namespace {

class Win32Site final : public ControlSite {
 public:
  std::string extender_name() override { return "Dnovar1"; }
  void property_changed(std::string_view) override {}
  void raise_event(std::string_view, int) override {}
  void report_error(const RuntimeError& error) override { ADD_FAILURE() << error.what(); }
  Toolkit& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return CalendarRules::Control; }

 private:
  Win32Toolkit toolkit_;
  FixedClock clock_{make_date(2024, 5, 20)};
};

class Win32Screenshot : public ::testing::Test {
 protected:
  // 20 May 2024 (the 1st is a Wednesday), today the same day, 6..10 May highlighted.
  void SetUp() override {
    calendar = std::make_unique<Calendar>(site);
    events = std::make_unique<CalendarEvents>(*calendar);
    calendar->state().AktDatum = make_date(2024, 5, 20);
    calendar->Inicializuj();
    calendar->state().Dlow = 6;
    calendar->state().Dhigh = 10;
    calendar->Aktualizuj(0);
  }

  SurfacePicture picture() const {
    return picture_of(static_cast<Win32Surface&>(calendar->surface()));
  }
  int dpi() const { return window_dpi(static_cast<Win32Surface&>(calendar->surface()).window()); }

  // Day cell `index` in pixels, frames' offsets included.
  RECT cell_rect(int index) const {
    const auto& widgets = calendar_widget_table().widgets;
    const WidgetRow& cell = widgets[static_cast<std::size_t>(day_cell_id(index).value)];
    TwipRect rect = cell.rect;
    for (int parent = cell.parent; parent != kNoParent;
         parent = widgets[static_cast<std::size_t>(parent)].parent) {
      rect.left += widgets[static_cast<std::size_t>(parent)].rect.left;
      rect.top += widgets[static_cast<std::size_t>(parent)].rect.top;
    }
    return pixel_rect(rect, dpi());
  }

  int cell_of_day(int day) const {
    for (int index = 0; index < kDayCellCount; ++index)
      if (day_for_cell(index, calendar->state().Dtyd1) == day) return index;
    ADD_FAILURE() << "no cell shows day " << day;
    return 0;
  }

  // The number of pixels in the cell that differ from its background (the right edge's middle,
  // which the number does not reach).
  int ink(const SurfacePicture& shot, int day) const {
    const RECT cell = cell_rect(cell_of_day(day));
    const std::uint32_t background = shot.at(cell.right - 2, (cell.top + cell.bottom) / 2);
    int count = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
      for (int x = cell.left; x < cell.right; ++x) count += shot.at(x, y) != background;
    return count;
  }

  Win32Site site;
  std::unique_ptr<Calendar> calendar;
  std::unique_ptr<CalendarEvents> events;
};

std::uint32_t rgb(COLORREF colour) {
  return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

TEST_F(Win32Screenshot, ControlIsItsTableSizeAndEachCellShowsItsBackground) {
  const SurfacePicture shot = picture();
  EXPECT_EQ(shot.width, twips_to_pixels(calendar_widget_table().width, dpi()));
  EXPECT_EQ(shot.height, twips_to_pixels(calendar_widget_table().height, dpi()));

  int cyan = 0, yellow = 0;
  for (int index = 0; index < kDayCellCount; ++index) {
    const int day = day_for_cell(index, calendar->state().Dtyd1);
    std::uint32_t expected = rgb(GetSysColor(COLOR_BTNFACE));
    if (day == 20) {
      expected = rgb(resolve_colour(kCyan));
      ++cyan;
    } else if (day >= 6 && day <= 10) {
      expected = rgb(resolve_colour(kYellow));
      ++yellow;
    }
    const RECT cell = cell_rect(index);
    EXPECT_EQ(shot.at(cell.right - 2, (cell.top + cell.bottom) / 2), expected)
        << "cell " << index << ", day " << day;
  }
  EXPECT_EQ(cyan, 1);
  EXPECT_EQ(yellow, 5);
}

TEST_F(Win32Screenshot, HolidaysAreDrawnBoldAndOtherDaysNot) {
  // May 2024: the 1st and the 8th are public holidays; the 11th and the 18th are not.
  const SurfacePicture marked = picture();
  calendar->state().Svatky = kFalse;
  calendar->Aktualizuj(0);
  const SurfacePicture plain = picture();
  for (const int day : {1, 8}) {
    EXPECT_GT(ink(marked, day), ink(plain, day)) << "day " << day << " is not bold";
    EXPECT_GT(ink(plain, day), 0) << "day " << day << " shows no number";
  }
  for (const int day : {11, 18}) EXPECT_EQ(ink(marked, day), ink(plain, day)) << "day " << day;
}

}  // namespace
}  // namespace dnovar
