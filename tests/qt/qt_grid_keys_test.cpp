// The day grid by keyboard on Qt: the last tab stop of the control, real key events on it, and a
// focus rectangle on the cursor's cell, which assistive technology sees focused, only while the
// grid has the focus. (The offscreen platform has no accessibility bridge, so the focus events
// themselves are not observable here.)
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <vector>

#include "tests/qt/qt_calendar_fixture.h"

namespace dnovar::qt_test {
namespace {

// The widgets of the surface table that take the focus, last tab index last.
WidgetId last_tab_stop() {
  const WidgetTable& table = calendar_widget_table();
  int last = -1;
  for (std::size_t i = 0; i < table.widgets.size(); ++i) {
    const WidgetKind kind = table.widgets[i].kind;
    const bool stop = kind == WidgetKind::TextBox || kind == WidgetKind::ComboBox ||
                      kind == WidgetKind::CommandButton || kind == WidgetKind::SpinButton;
    if (stop && (last < 0 || table.widgets[i].tab_index >
                                 table.widgets[static_cast<std::size_t>(last)].tab_index))
      last = static_cast<int>(i);
  }
  return WidgetId{last};
}

class QtGridKeys : public QtCalendarTest {
 protected:
  bool grid_has_focus() { return calendar->surface().grid_cursor() >= 0; }
  int cursor_day() { return day_for_cell(calendar->surface().grid_cursor(), state().Dtyd1); }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
};

TEST_F(QtGridKeys, TheGridIsTheTabStopAfterTheTablesLast) {
  QTest::keyClick(host_field, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(grid_has_focus()) << "back from the host's field";
  EXPECT_TRUE(widget(widget_ids::Frame1).font_bold());
  EXPECT_EQ(cursor_day(), 20);
  press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), host_field) << "on from the grid leaves the control";
  EXPECT_EQ(calendar->surface().grid_cursor(), -1);
  qt(last_tab_stop()).setFocus(Qt::TabFocusReason);
  press(Qt::Key_Tab);
  EXPECT_TRUE(grid_has_focus()) << "on from the last stop";
}

TEST_F(QtGridKeys, KeysReachTheControlAsTheMouseWould) {
  struct Case {
    const char* what;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    int day, dlow, dhigh, cursor;
  };
  const Case cases[] = {
      {"arrows move, Enter picks",
       {{Qt::Key_Right, {}}, {Qt::Key_Up, {}}, {Qt::Key_Return, {}}},
       26,
       0,
       0,
       26},
      {"Space picks", {{Qt::Key_Home, {}}, {Qt::Key_Space, {}}}, 1, 0, 0, 1},
      {"Shift paints",
       {{Qt::Key_Down, Qt::ShiftModifier}, {Qt::Key_Down, Qt::ShiftModifier}},
       20,
       20,
       22,
       22},
      // A drag leaves the current day's cell in its own colour, so the next scan starts after it,
      // as with the mouse.
      {"Ctrl+Shift erases",
       {{Qt::Key_End, Qt::ShiftModifier},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier}},
       20,
       21,
       23,
       31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host_field->setFocus(Qt::OtherFocusReason);
    state().Dlow = 0;
    state().Dhigh = 0;
    state().Den = 20;
    calendar->Aktualizuj(0);
    QTest::keyClick(host_field, Qt::Key_Backtab, Qt::ShiftModifier);
    for (const auto& [key, modifiers] : c.keys) press(key, modifiers);
    EXPECT_EQ(state().Den, c.day);
    EXPECT_EQ(state().Dlow, c.dlow);
    EXPECT_EQ(state().Dhigh, c.dhigh);
    EXPECT_EQ(cursor_day(), c.cursor);
  }
}

TEST_F(QtGridKeys, TheCursorIsDrawnAndReportedOnlyWhileTheGridHasTheFocus) {
  const ShownArea day21 = cell_of_day(21);
  const QImage plain = day21.widget.grab(day21.rect).toImage();
  QTest::keyClick(host_field, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(accessible_of_day(20)->state().focused);
  press(Qt::Key_Down);
  EXPECT_FALSE(accessible_of_day(20)->state().focused);
  EXPECT_TRUE(accessible_of_day(21)->state().focused);
  EXPECT_NE(day21.widget.grab(day21.rect).toImage(), plain) << "focus rectangle";
  QTest::mouseClick(host_field, Qt::LeftButton);
  EXPECT_FALSE(accessible_of_day(21)->state().focused);
  EXPECT_EQ(day21.widget.grab(day21.rect).toImage(), plain);
}

// The grid is a table named by the month it shows; while it has the focus, what assistive
// technology asks for as its focus is the cursor's cell.
TEST_F(QtGridKeys, TheTableIsNamedAndItsFocusChildIsTheCursorsCell) {
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&cell_of_day(20).widget);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Květen 2024"));
  EXPECT_EQ(table->focusChild(), nullptr);
  QTest::keyClick(host_field, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(table->focusChild(), accessible_of_day(20));
  press(Qt::Key_Down);
  EXPECT_EQ(table->focusChild(), accessible_of_day(21));
  state().Mesic = 6;
  calendar->Aktualizuj(0);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Červen 2024"));
}

}  // namespace
}  // namespace dnovar::qt_test
