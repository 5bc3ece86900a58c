// What a screen reader reads is what the grid showed when it was last described (after each
// refresh and completed drag), however the texts are kept until they are read.
#include <gtest/gtest.h>

#include "core/accessible_text.h"
#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::StartedCalendar;

// 20 May 2024 is a Monday; May starts on Wednesday, so day d sits in cell d + 1.
constexpr int kCellOf20 = 21;
constexpr int kCellOf21 = 22;

TEST(AccessibleText, NamesFollowTheLastDescriptionNotLaterChanges) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.cell(kCellOf21).set_back_colour(kCyan);  // not described: the name stays as it was
  EXPECT_EQ(c.cell(kCellOf21).accessible_name(), "úterý 21. května 2024");
  EXPECT_EQ(c.cell(kCellOf20).accessible_name(), "pondělí 20. května 2024, dnes");
  describe_month(c.calendar);  // as a completed drag does
  EXPECT_EQ(c.cell(kCellOf21).accessible_name(), "úterý 21. května 2024, aktuální datum");
}

// The highlight as a bag may store it: as a number or as a text that converts to one.
TEST(AccessibleText, NamesFollowEveryRefreshWhateverTheHighlightIsStoredAs) {
  for (const Variant& highlight : {Variant::i4(kYellow), Variant::string("65535")}) {
    StartedCalendar c(make_date(2024, 5, 20));
    c.state().VyberColor = highlight;
    c.state().Dlow = 5;
    c.state().Dhigh = 9;
    c.calendar.Aktualizuj(0);
    EXPECT_EQ(c.cell(7).accessible_name(), "pondělí 6. května 2024, vybráno");
    c.state().Mesic = 6;  // June starts on Saturday: day d sits in cell d + 4
    c.calendar.Aktualizuj(0);
    EXPECT_EQ(c.cell(10).accessible_name(), "čtvrtek 6. června 2024, vybráno");
    EXPECT_EQ(c.cell(24).accessible_name(), "čtvrtek 20. června 2024, aktuální datum");
    EXPECT_EQ(c.cell(0).accessible_name(), "prázdné pole");
  }
}

// "dnes" is said of today's date only; the cell on cyan is the current date, which the user moves.
TEST(AccessibleText, TodayAndTheCurrentDateAreNamedApart) {
  const struct {
    DateSerial today;
    const char* cell_of_20;
    const char* cell_of_21;
  } cases[] = {
      {make_date(2024, 5, 20), "pondělí 20. května 2024, dnes", "úterý 21. května 2024"},
      {make_date(2024, 5, 21), "pondělí 20. května 2024, aktuální datum",
       "úterý 21. května 2024, dnes"},
      {make_date(2024, 6, 20), "pondělí 20. května 2024, aktuální datum", "úterý 21. května 2024"},
      {make_date(2025, 5, 21), "pondělí 20. května 2024, aktuální datum", "úterý 21. května 2024"},
  };
  for (const auto& c : cases) {
    for (bool live : {true, false}) {
      StartedCalendar calendar(make_date(2024, 5, 20), c.today);
      // A caption the refresh never writes makes the cells be named one by one.
      if (!live) calendar.cell(0).set_caption("x");
      describe_month(calendar.calendar);
      EXPECT_EQ(calendar.cell(kCellOf20).accessible_name(), c.cell_of_20) << live;
      EXPECT_EQ(calendar.cell(kCellOf21).accessible_name(), c.cell_of_21) << live;
    }
  }
}

// Today's day is found in the shown month from whatever the clock gives: a whole day (also the
// last of a month or year, and the first after it) or a day with a time of day.
TEST(AccessibleText, TodayIsFoundWhateverTheClocksSerialHolds) {
  const struct {
    DateSerial today;
    DateSerial shown;
    int day;
    const char* name;
  } cases[] = {
      {make_date(2024, 5, 31), make_date(2024, 5, 20), 31, "pátek 31. května 2024, dnes"},
      {make_date(2024, 6, 1), make_date(2024, 5, 20), 31, "pátek 31. května 2024"},
      {make_date(2024, 5, 21) + 0.5, make_date(2024, 5, 20), 21, "úterý 21. května 2024, dnes"},
      {make_date(2024, 12, 31), make_date(2024, 12, 2), 31, "úterý 31. prosince 2024, dnes"},
      {make_date(2025, 1, 1), make_date(2024, 12, 2), 31, "úterý 31. prosince 2024"},
      {make_date(2024, 4, 30), make_date(2024, 5, 20), 1, "středa 1. května 2024, svátek"},
  };
  for (const auto& c : cases) {
    StartedCalendar calendar(c.shown, c.today);
    const int cell = cell_for_day(c.day, calendar.state().Dtyd1);
    EXPECT_EQ(calendar.cell(cell).accessible_name(), c.name) << c.today;
  }
}

// The grid as a whole (a table, where a backend shows one) is named by the month it shows.
TEST(AccessibleText, TheGridIsNamedByTheMonthAndYearItShows) {
  StartedCalendar c(make_date(2024, 5, 20));
  EXPECT_EQ(c.surface().grid_accessible_name(), "Květen 2024");
  c.state().Rok = 2026;
  c.state().Mesic = 12;
  c.calendar.Aktualizuj(0);
  EXPECT_EQ(c.surface().grid_accessible_name(), "Prosinec 2026");
}

TEST(AccessibleText, APlainTextReplacesARecipeUntilTheNextRefresh) {
  StartedCalendar c(make_date(2024, 5, 20));
  Widget& cell = c.cell(kCellOf20);
  cell.set_accessible_text("vlastní", "popis");
  EXPECT_EQ(cell.accessible_name(), "vlastní");
  EXPECT_EQ(cell.accessible_description(), "popis");
  c.calendar.Aktualizuj(0);
  EXPECT_EQ(cell.accessible_name(), "pondělí 20. května 2024, dnes");
  EXPECT_NE(cell.accessible_description(), "popis");
}

TEST(AccessibleText, ACaptionTheRefreshNeverWritesIsReadAsItStands) {
  StartedCalendar c(make_date(2024, 5, 20));
  c.cell(kCellOf21).set_caption("21a");
  describe_month(c.calendar);
  EXPECT_EQ(c.cell(kCellOf21).accessible_name(), "úterý 21a. května 2024");
}

TEST(SharedTable, SurfacesOfEqualTablesShareOneCopy) {
  StartedCalendar first(make_date(2024, 5, 20));
  StartedCalendar second(make_date(2024, 6, 1));
  EXPECT_EQ(&first.surface().table(), &second.surface().table());
  WidgetTable other = calendar_widget_table();
  other.widgets.front().caption = "Jiný";
  HeadlessToolkit toolkit;
  const std::unique_ptr<Surface> surface = toolkit.create_surface(other, first.site);
  EXPECT_NE(&surface->table(), &first.surface().table());
  EXPECT_EQ(surface->table().widgets.front().caption, "Jiný");
}

}  // namespace
}  // namespace dnovar
