// A widget that is not there is one fault wherever a host asks for it: 340, naming the index.
#include <gtest/gtest.h>

#include <functional>

#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::StartedCalendar;

TEST(WidgetLookup, AMissingWidgetIsControlArrayElement340Everywhere) {
  StartedCalendar c(make_date(2024, 5, 20));
  const int count = static_cast<int>(calendar_widget_table().widgets.size());
  struct Case {
    const char* what;
    std::function<void()> lookup;
    long long index;
  };
  const Case cases[] = {
      {"calendar, id below", [&] { c.calendar.widget(WidgetId{-1}); }, -1},
      {"calendar, id past the last", [&] { c.calendar.widget(WidgetId{count}); }, count},
      {"calendar, day cell below", [&] { c.calendar.day_cell(-1); }, -1},
      {"calendar, day cell past the last", [&] { c.calendar.day_cell(kDayCellCount); }, 37},
      {"surface, id below", [&] { c.surface().widget(WidgetId{-1}); }, -1},
      {"surface, id past the last", [&] { c.surface().widget(WidgetId{count}); }, count},
      {"surface, element by name", [&] { c.surface().find("lblDny", 40); }, 40},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    try {
      each.lookup();
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), 340);
      EXPECT_EQ(error.what(),
                "Control array element '" + std::to_string(each.index) + "' doesn't exist");
    }
  }
}

}  // namespace
}  // namespace dnovar
