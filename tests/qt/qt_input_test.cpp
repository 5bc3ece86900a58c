// Real Qt input on the calendar surface and what it reports.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "tests/qt/qt_test_support.h"

namespace dnovar::qt_test {
namespace {

using QtInput = CalendarSurfaceTest;

struct PressCase {
  int cell;
  Qt::MouseButton button;
  int bits;
};

TEST_F(QtInput, MousePressOnADayCellReportsTheCellAndTheButton) {
  const PressCase cases[] = {{0, Qt::LeftButton, kLeftButton},
                             {36, Qt::RightButton, kRightButton},
                             {20, Qt::MiddleButton, kMiddleButton}};
  for (const PressCase& c : cases) {
    SCOPED_TRACE(c.cell);
    const ShownArea cell = shown(day_cell_id(c.cell));
    QTest::mousePress(&cell.widget, c.button, {}, cell.rect.center());
    QTest::mouseRelease(&cell.widget, c.button, {}, cell.rect.center());
    EXPECT_EQ(spy.take(),
              (std::vector<Notice>{{Kind::MouseDown, day_cell_id(c.cell).value, c.bits}}));
  }
}

struct HeldCase {
  std::vector<Qt::MouseButton> held;
  int bits;
};

TEST_F(QtInput, MouseMoveWhileHeldReportsThePressedCellWithTheHeldButtons) {
  const HeldCase cases[] = {{{Qt::LeftButton}, kLeftButton},
                            {{Qt::RightButton}, kRightButton},
                            {{Qt::LeftButton, Qt::RightButton}, kLeftButton | kRightButton}};
  const WidgetId pressed = day_cell_id(9);
  const ShownArea cell = shown(pressed);
  const QPoint corner = cell.rect.topLeft();
  for (const HeldCase& c : cases) {
    SCOPED_TRACE(c.bits);
    for (Qt::MouseButton button : c.held)
      QTest::mousePress(&cell.widget, button, {}, corner + QPoint(3, 3));
    spy.take();
    QTest::mouseMove(&cell.widget, corner + QPoint(10, 12));
    EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::MouseMove, pressed.value, c.bits}}));
    for (Qt::MouseButton button : c.held)
      QTest::mouseRelease(&cell.widget, button, {}, corner + QPoint(10, 12));
  }
}

TEST_F(QtInput, MouseMoveWithoutButtonsReportsTheCellUnderThePointer) {
  // The pointer comes from outside the grid, so only the cells' own moves can be reported.
  QTest::mouseMove(root, QPoint(1, 1));
  spy.take();
  for (int index : {4, 30, 36}) {
    SCOPED_TRACE(index);
    const ShownArea cell = shown(day_cell_id(index));
    QTest::mouseMove(&cell.widget, cell.rect.center());
    const std::vector<Notice> notices = spy.take();
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(), (Notice{Kind::MouseMove, day_cell_id(index).value, 0}));
  }
}

struct DoubleClickCase {
  Qt::MouseButton button;
  std::vector<Notice> expected;  // for the second press; cell id filled in by the test
};

TEST_F(QtInput, LeftDoubleClickIsOneDoubleClickAndNoSecondPress) {
  const WidgetId cell_id = day_cell_id(17);
  const ShownArea cell = shown(cell_id);
  const QPoint centre = cell.rect.center();
  const DoubleClickCase cases[] = {
      {Qt::LeftButton, {{Kind::DoubleClick, cell_id.value, 0}}},
      {Qt::RightButton, {{Kind::MouseDown, cell_id.value, kRightButton}}},
  };
  for (const DoubleClickCase& c : cases) {
    SCOPED_TRACE(c.button);
    QTest::mousePress(&cell.widget, c.button, {}, centre);
    QTest::mouseRelease(&cell.widget, c.button, {}, centre);
    spy.take();
    QTest::mouseDClick(&cell.widget, c.button, {}, centre);
    EXPECT_EQ(spy.take(), c.expected);
    QTest::mouseRelease(&cell.widget, c.button, {}, centre);
  }
}

struct KeyCase {
  const char* name;
  Qt::Key key;
  QString text;        // what the key types
  int reported;        // the code the handler sees; 0 for a key that is not reported
  const char* result;  // the box afterwards, typed into "20"
};

TEST_F(QtInput, KeyPressInATextBoxIsReportedAndWhatPassesIsTyped) {
  spy.key_replacements = {{'a', 'b'}, {'5', 0}, {'z', kKeyBackspace}};
  const KeyCase cases[] = {
      {"digit passes", Qt::Key_2, "2", '2', "202"},
      {"replaced", Qt::Key_A, "a", 'a', "20b"},
      {"discarded", Qt::Key_5, "5", '5', "20"},
      {"replaced by backspace", Qt::Key_Z, "z", 'z', "2"},
      {"backspace", Qt::Key_Backspace, "\b", kKeyBackspace, "2"},
      {"enter types nothing", Qt::Key_Return, "\r", kKeyEnter, "20"},
      {"Czech letter", Qt::Key_unknown, QString::fromUtf8("ř"), 0x159, "20ř"},
      {"cursor key is not a character", Qt::Key_Left, "", 0, "20"},
  };
  const WidgetId year = widget_ids::txtYear;
  auto& box = static_cast<QLineEdit&>(qt(year));
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    surface->widget(year).set_text("20");
    spy.take();
    QTest::sendKeyEvent(QTest::KeyAction::Click, &box, c.key, c.text, Qt::NoModifier);
    const std::vector<Notice> expected =
        c.reported == 0 ? std::vector<Notice>{}
                        : std::vector<Notice>{{Kind::KeyPress, year.value, c.reported}};
    EXPECT_EQ(spy.take(), expected);
    EXPECT_EQ(surface->widget(year).text(), c.result);
  }
}

const char* const kMonths[] = {"Leden",    "Únor",  "Březen", "Duben", "Květen",   "Červen",
                               "Červenec", "Srpen", "Září",   "Říjen", "Listopad", "Prosinec"};

TEST_F(QtInput, ComboTextFromCodeIsNoClickButTheUsersChoiceIs) {
  Widget& month = surface->widget(widget_ids::cmbMonth);
  for (const char* name : kMonths) month.add_item(name);
  EXPECT_EQ(month.text(), "cmbMonth") << "filling the list leaves the text";
  EXPECT_EQ(month.list_index(), -1);

  month.set_text("Květen");
  EXPECT_EQ(month.text(), "Květen");
  EXPECT_EQ(month.list_index(), 4);
  EXPECT_TRUE(spy.take().empty());

  auto& combo = static_cast<QComboBox&>(qt(widget_ids::cmbMonth));
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::Click, widget_ids::cmbMonth.value, 0}}));
  EXPECT_EQ(month.text(), "Červen");
  EXPECT_EQ(month.list_index(), 5);

  month.set_text("Září");
  month.set_text("nic");
  EXPECT_EQ(month.list_index(), -1);
  EXPECT_TRUE(spy.take().empty());

  // Typing into the field is a key press like in a text box, and chooses nothing.
  month.set_text("Září");
  QTest::keyClick(combo.lineEdit(), Qt::Key_X);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::KeyPress, widget_ids::cmbMonth.value, 'x'}}));
  EXPECT_EQ(month.text(), "Záříx");
  EXPECT_EQ(month.list_index(), -1);
  EXPECT_EQ(month.items().size(), std::size(kMonths));
}

TEST_F(QtInput, ComboEntryChosenFromTheOpenListIsAClick) {
  Widget& month = surface->widget(widget_ids::cmbMonth);
  for (const char* name : kMonths) month.add_item(name);
  auto& combo = static_cast<QComboBox&>(qt(widget_ids::cmbMonth));
  combo.showPopup();
  QAbstractItemView& list = *combo.view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list.window()));
  QTest::keyClick(&list, Qt::Key_End);
  QTest::keyClick(&list, Qt::Key_Up);
  EXPECT_TRUE(spy.notices.empty()) << "moving through the open list chooses nothing yet";
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::Click, widget_ids::cmbMonth.value, 0}}));
  EXPECT_EQ(month.list_index(), 10);
  EXPECT_EQ(month.text(), "Listopad");
}

// The open list shows its entries in the box's font, the control's (not the application's).
TEST_F(QtInput, TheOpenListShowsTheBoxsFont) {
  auto& combo = static_cast<QComboBox&>(qt(widget_ids::cmbMonth));
  surface->widget(widget_ids::cmbMonth).add_item("Leden");
  combo.showPopup();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(combo.view()->window()));
  EXPECT_EQ(combo.view()->font(), combo.font());
  EXPECT_NE(combo.view()->font(), QApplication::font());
  combo.hidePopup();
}

TEST_F(QtInput, SpinnerValueFromCodeIsStoredAsGivenAndNotifiesOnlyARealChange) {
  const WidgetId day = widget_ids::UpDown3;  // 1..31
  Widget& spinner = surface->widget(day);
  spinner.set_value(1);
  EXPECT_TRUE(spy.take().empty()) << "the same value is no change";
  spinner.set_value(40);
  // The handler ran inside the set and already read the new value.
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::ValueChanged, day.value, 40}}));
  EXPECT_EQ(spinner.value(), 40);
  spinner.set_value(-5);
  EXPECT_EQ(spinner.value(), -5);
  EXPECT_EQ(spy.take().size(), 1u);
}

QToolButton& arrow(QWidget& spinner, bool up) {
  // Up over down: the upper half is the up arrow.
  const QPoint point(spinner.width() / 2, up ? spinner.height() / 4 : spinner.height() * 3 / 4);
  auto* button = dynamic_cast<QToolButton*>(spinner.childAt(point));
  if (button == nullptr) throw std::logic_error("no arrow button there");
  return *button;
}

struct ArrowCase {
  const char* name;
  WidgetId spinner;
  Int32 start;
  bool up;
  int clicks;
  std::vector<Int32> reported;  // the values notified, one per real change
};

TEST_F(QtInput, ArrowClicksStepAndStopAtTheRangeWithoutWrapping) {
  using namespace widget_ids;
  const ArrowCase cases[] = {
      {"day up to Max", UpDown3, 29, true, 4, {30, 31}},
      {"day down to Min", UpDown3, 2, false, 3, {1}},
      {"month strip up", UpDown1, 11, true, 2, {12}},
      {"month strip down", UpDown1, 2, false, 1, {1}},
      {"year up", UpDown2, 2999, true, 2, {3000}},
      {"beyond Max does not go further up", UpDown3, 40, true, 2, {}},
      {"beyond Max steps back into the range", UpDown3, 40, false, 1, {31}},
  };
  for (const ArrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    surface->widget(c.spinner).set_value(c.start);
    spy.take();
    QToolButton& button = arrow(qt(c.spinner), c.up);
    for (int i = 0; i < c.clicks; ++i) QTest::mouseClick(&button, Qt::LeftButton);
    std::vector<Notice> expected;
    for (Int32 value : c.reported) expected.push_back({Kind::ValueChanged, c.spinner.value, value});
    EXPECT_EQ(spy.take(), expected);
  }
}

TEST_F(QtInput, ArrowKeysStepTheFocusedSpinner) {
  const WidgetId year = widget_ids::UpDown2;
  surface->widget(year).set_value(2024);
  qt(year).setFocus();
  spy.take();
  QTest::keyClick(&qt(year), Qt::Key_Up);
  QTest::keyClick(&qt(year), Qt::Key_Down);
  QTest::keyClick(&qt(year), Qt::Key_Down);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::ValueChanged, year.value, 2025},
                                             {Kind::ValueChanged, year.value, 2024},
                                             {Kind::ValueChanged, year.value, 2023}}));
}

TEST_F(QtInput, ButtonsReportClicksByMouseAndByAccessKey) {
  using namespace widget_ids;
  QTest::mouseClick(&qt(cmdDplus), Qt::LeftButton);
  // An access key presses its button visibly: the click comes when the button is let up again.
  QTest::keyClick(root, Qt::Key_D, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return spy.notices.size() == 2; }));
  QTest::keyClick(root, Qt::Key_Z, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return spy.notices.size() == 3; }));
  qt(cmdDnes).setFocus();
  QTest::keyClick(&qt(cmdDnes), Qt::Key_Return);
  QTest::keyClick(&qt(cmdDnes), Qt::Key_Space);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::Click, cmdDplus.value, 0},
                                             {Kind::Click, cmdDnes.value, 0},
                                             {Kind::Click, cmdZavri.value, 0},
                                             {Kind::Click, cmdDnes.value, 0},
                                             {Kind::Click, cmdDnes.value, 0}}));
}

TEST_F(QtInput, DisabledSurfaceTakesNoInputAndKeepsTheWidgetsOwnFlags) {
  using namespace widget_ids;
  surface->set_enabled(false);
  EXPECT_FALSE(surface->enabled());
  // The shown window gave the focus to the control; disabling it takes the focus off at once.
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusLeft}}));
  const auto try_everything = [&] {
    QTest::mouseClick(&qt(cmdDnes), Qt::LeftButton);
    const ShownArea cell = shown(day_cell_id(3));
    QTest::mousePress(&cell.widget, Qt::LeftButton, {}, cell.rect.center());
    QTest::mouseRelease(&cell.widget, Qt::LeftButton, {}, cell.rect.center());
    QTest::mouseDClick(&cell.widget, Qt::LeftButton, {}, cell.rect.center());
    QTest::mouseRelease(&cell.widget, Qt::LeftButton, {}, cell.rect.center());
    QTest::keyClick(&qt(txtYear), Qt::Key_7);
    QTest::mouseClick(&arrow(qt(UpDown2), true), Qt::LeftButton);
  };
  surface->widget(txtYear).set_text("19");
  try_everything();
  EXPECT_TRUE(spy.take().empty());
  EXPECT_EQ(surface->widget(txtYear).text(), "19");
  for (int i = 0; i < count; ++i)
    EXPECT_EQ(surface->widget(WidgetId{i}).enabled(), calendar_widget_table().widgets[i].enabled)
        << i;

  surface->set_enabled(true);
  EXPECT_FALSE(qt(txtDen).isEnabled()) << "the day box stays disabled on its own";
  try_everything();
  const int cell = day_cell_id(3).value;
  // The click on the button brings the focus back into the control.
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusEntered},
                                             {Kind::Click, cmdDnes.value, 0},
                                             {Kind::MouseDown, cell, kLeftButton},
                                             {Kind::DoubleClick, cell, 0},
                                             {Kind::KeyPress, txtYear.value, '7'},
                                             {Kind::ValueChanged, UpDown2.value, 1001}}));
  EXPECT_EQ(surface->widget(txtYear).text(), "197");
}

TEST_F(QtInput, AFailingHandlerIsReportedAndInputGoesOn) {
  using namespace widget_ids;
  spy.after_record = [](const Notice& notice) {
    if (notice.kind == Kind::Click) throw RuntimeError(error_number::overflow, "Overflow");
    if (notice.kind == Kind::MouseDown) throw std::runtime_error("broken");
  };
  QTest::mouseClick(&qt(cmdDnes), Qt::LeftButton);
  const ShownArea cell = shown(day_cell_id(0));
  QTest::mousePress(&cell.widget, Qt::LeftButton, {}, cell.rect.center());
  QTest::mouseRelease(&cell.widget, Qt::LeftButton, {}, cell.rect.center());
  QTest::mouseClick(&qt(cmdDnes), Qt::LeftButton);
  EXPECT_EQ(errors.numbers, (std::vector<int>{error_number::overflow, 51, error_number::overflow}));
  EXPECT_EQ(spy.take().size(), 3u);
}

}  // namespace
}  // namespace dnovar::qt_test
