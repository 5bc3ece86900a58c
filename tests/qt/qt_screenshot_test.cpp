// A picture of the whole control as Qt paints it: its size at 96 dots per inch, and each day
// cell's background where the surface table puts the cell.
#include <QApplication>
#include <QImage>
#include <algorithm>

#include "tests/qt/qt_calendar_fixture.h"

namespace dnovar::qt_test {
namespace {

using QtScreenshot = QtCalendarTest;

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

// A point inside day cell `index` that its caption does not cover: the caption starts at the
// left, and the row below overlaps the cell's bottom line.
QPoint background_point(int index) {
  const auto& widgets = calendar_widget_table().widgets;
  const WidgetRow& cell = widgets[static_cast<std::size_t>(day_cell_id(index).value)];
  TwipRect rect = cell.rect;
  for (int parent = cell.parent; parent != kNoParent;
       parent = widgets[static_cast<std::size_t>(parent)].parent) {
    rect.left += widgets[static_cast<std::size_t>(parent)].rect.left;
    rect.top += widgets[static_cast<std::size_t>(parent)].rect.top;
  }
  return QPoint((rect.left + rect.width) / kTwipsPerPixel - 2,
                (rect.top + rect.height / 2) / kTwipsPerPixel);
}

QColor rgb(Colour colour) {
  return QColor(red_of(colour), green_of(colour), blue_of(colour));
}

TEST_F(QtScreenshot, ControlIsItsTableSizeAndEachCellShowsItsBackground) {
  state().Dlow = 6;
  state().Dhigh = 10;
  calendar->Aktualizuj(0);
  const QImage picture = render_surface(calendar->surface());
  const qreal ratio = picture.devicePixelRatio();
  EXPECT_EQ(picture.size() / ratio, QSize(300, 251));
  EXPECT_EQ(picture.size() / ratio, QSize(calendar_widget_table().width / kTwipsPerPixel,
                                          calendar_widget_table().height / kTwipsPerPixel));

  const QColor button_face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  int cyan = 0, yellow = 0;
  for (int index = 0; index < kDayCellCount; ++index) {
    const int day = day_for_cell(index, state().Dtyd1);
    QColor expected = button_face;
    if (day == 20) {
      expected = rgb(kCyan);
      ++cyan;
    } else if (day >= 6 && day <= 10) {
      expected = rgb(kYellow);
      ++yellow;
    }
    EXPECT_EQ(picture.pixelColor(background_point(index) * ratio), expected)
        << "cell " << index << ", day " << day;
  }
  EXPECT_EQ(cyan, 1);
  EXPECT_EQ(yellow, 5);
}

TEST_F(QtScreenshot, HolidaysAreDrawnBoldAndOtherDaysNot) {
  // May 2024: the 1st and the 8th are public holidays.
  for (int day = 1; day <= 31; ++day) {
    SCOPED_TRACE(day);
    EXPECT_EQ(font_of_day(day).bold(), day == 1 || day == 8);
  }
  state().Svatky = kFalse;
  calendar->Aktualizuj(0);
  EXPECT_FALSE(font_of_day(1).bold());
}

}  // namespace
}  // namespace dnovar::qt_test
