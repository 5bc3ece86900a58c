// The whole control on Qt, driven by real Qt input: what the user does reaches the handlers and
// shows on the real widgets.
#include <QApplication>
#include <QLineEdit>

#include "tests/qt/qt_calendar_fixture.h"

namespace dnovar::qt_test {
namespace {

using QtCalendar = QtCalendarTest;

// A drag as a hand makes it: press over one day, move to another with the button held, let go
// there, and nudge the pointer, which is the move that completes the drag.
void drag(const ShownArea& from, const ShownArea& to, Qt::MouseButton button) {
  const QPoint start = from.rect.topLeft();
  const QPoint end = to.rect.topLeft();
  QTest::mousePress(&from.widget, button, {}, start + QPoint(4, 4));
  QTest::mouseMove(&from.widget, start + QPoint(8, 8));
  QTest::mouseMove(&to.widget, end + QPoint(4, 4));
  QTest::mouseRelease(&to.widget, button, {}, end + QPoint(4, 4));
  QTest::mouseMove(&to.widget, end + QPoint(9, 9));
}

struct DragCase {
  const char* name;
  int from_day, to_day;
  Qt::MouseButton button;
  int dlow, dhigh;
  std::vector<int> highlighted;  // days on the highlight colour afterwards
};

TEST_F(QtCalendar, DragsOverTheDaysPaintEraseAndPublishTheInterval) {
  // One after another on the same control: each starts from what the previous left.
  const DragCase cases[] = {
      {"left drag from the 5th to the 9th", 5, 9, Qt::LeftButton, 5, 9, {5, 6, 7, 8, 9}},
      {"right drag from the 7th to the 12th erases 7 to 9", 7, 12, Qt::RightButton, 5, 6, {5, 6}},
      {"right drag over the rest clears the interval", 4, 6, Qt::RightButton, 0, 0, {}},
      {"backwards paints nothing", 9, 5, Qt::LeftButton, 0, 0, {}},
  };
  for (const DragCase& c : cases) {
    SCOPED_TRACE(c.name);
    drag(cell_of_day(c.from_day), cell_of_day(c.to_day), c.button);
    EXPECT_EQ(state().Dlow, c.dlow);
    EXPECT_EQ(state().Dhigh, c.dhigh);
    for (int day = 1; day <= 31; ++day) {
      const Colour expected = day == 20 ? kCyan
                              : std::count(c.highlighted.begin(), c.highlighted.end(), day) > 0
                                  ? kYellow
                                  : kButtonFace;
      EXPECT_EQ(widget(day_cell_id(cell_for_day(day, state().Dtyd1))).back_colour(), expected)
          << "day " << day;
    }
  }
  EXPECT_TRUE(site->take().empty());
}

TEST_F(QtCalendar, DoubleClickOnADayMakesItTheCurrentDay) {
  const ShownArea fifteenth = cell_of_day(15);
  const QPoint centre = fifteenth.rect.center();
  QTest::mouseClick(&fifteenth.widget, Qt::LeftButton, {}, centre);
  QTest::mouseDClick(&fifteenth.widget, Qt::LeftButton, {}, centre);
  QTest::mouseRelease(&fifteenth.widget, Qt::LeftButton, {}, centre);
  EXPECT_EQ(calendar->Datum(), make_date(2024, 5, 15));
  EXPECT_EQ(widget(day_cell_id(cell_for_day(15, state().Dtyd1))).back_colour(), kCyan);
  EXPECT_EQ(widget(day_cell_id(cell_for_day(20, state().Dtyd1))).back_colour(), kButtonFace);
  EXPECT_EQ(static_cast<QLineEdit&>(qt(widget_ids::txtDen)).text(), QStringLiteral("15"));
}

// Selects what the box holds and types `text` over it, as a user does. Keyboards send Ctrl+A with
// the control character 1 as its text, and a Czech letter with no key of Qt's own.
void type_over(QWidget& box, const char* text) {
  QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_A, QChar(1), Qt::ControlModifier);
  for (QChar character : QString::fromUtf8(text)) {
    if (character.unicode() < 128)
      QTest::keyClick(&box, character.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, character, Qt::NoModifier);
  }
}

TEST_F(QtCalendar, AYearTypedWithEnterIsShown) {
  QWidget& year = qt(widget_ids::txtYear);
  type_over(year, "2030");
  QTest::keyClick(&year, Qt::Key_Return);
  EXPECT_EQ(calendar->Datum(), make_date(2030, 5, 20));
  EXPECT_EQ(static_cast<QLineEdit&>(year).text(), QStringLiteral("2030"));
  EXPECT_EQ(widget(widget_ids::UpDown2).value(), 2030);
  EXPECT_EQ(widget(widget_ids::lblPrestup).caption(), "") << "2030 is a common year";
  EXPECT_TRUE(site->take().empty());
}

struct KeyFilterCase {
  WidgetId box;
  const char* typed;
  const char* shown;
  int beeps;
};

TEST_F(QtCalendar, KeysTheBoxesRefuseBeepAndVanish) {
  using namespace widget_ids;
  const KeyFilterCase cases[] = {
      {txtDplus, "1a2", "12", 1},
      {txtDplus, "-7 x", "-7", 2},
      {txtYear, "20x-3", "203", 2},
      {txtYear, "ř", "203", 1},  // a refused key leaves the selected text in place
  };
  for (const KeyFilterCase& c : cases) {
    SCOPED_TRACE(c.typed);
    type_over(qt(c.box), c.typed);
    EXPECT_EQ(static_cast<QLineEdit&>(qt(c.box)).text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(site->take(), std::vector<std::string>(static_cast<std::size_t>(c.beeps), "beep"));
  }
}

TEST_F(QtCalendar, TabGoesFromTheYearBoxToBothSpinnersThenToday) {
  using namespace widget_ids;
  qt(txtYear).setFocus(Qt::MouseFocusReason);
  for (WidgetId next : {UpDown2, UpDown1, cmdDnes}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &qt(next))
        << calendar_widget_table().widgets[static_cast<std::size_t>(next.value)].name;
  }
}

TEST_F(QtCalendar, FrameCaptionIsBoldWhileTheFocusIsInside) {
  using namespace widget_ids;
  const auto bold = [&] {
    const bool shown = qt(Frame1).font().bold();
    EXPECT_EQ(widget(Frame1).font_bold(), shown);
    return shown;
  };
  EXPECT_FALSE(bold());
  QTest::keyClick(host_field, Qt::Key_Tab);
  EXPECT_TRUE(bold()) << "tabbed in";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_TRUE(bold()) << "moved inside";
  QTest::mouseClick(host_field, Qt::LeftButton);
  EXPECT_FALSE(bold()) << "clicked out";
  QTest::mouseClick(&qt(txtYear), Qt::LeftButton);
  EXPECT_TRUE(bold()) << "clicked in";
}

}  // namespace
}  // namespace dnovar::qt_test
