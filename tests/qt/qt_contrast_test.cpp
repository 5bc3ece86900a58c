// Readable in a dark theme: under a dark application palette every day number, the week number
// and the weekday names stand out from the background they are drawn on by at least the WCAG
// ratio 4.5:1, measured on the painted pixels, enabled or not. What the host reads (ForeColor,
// BackColor) stays as it was set.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <map>

#include "tests/qt/qt_calendar_fixture.h"

namespace dnovar::qt_test {
namespace {

QPalette dark_palette() {
  QPalette dark;
  const QColor window(53, 53, 53), base(42, 42, 42), grey(127, 127, 127);
  for (auto [role, colour] : {std::pair{QPalette::Window, window},
                              {QPalette::Button, window},
                              {QPalette::Base, base},
                              {QPalette::AlternateBase, window},
                              {QPalette::WindowText, QColor(Qt::white)},
                              {QPalette::ButtonText, QColor(Qt::white)},
                              {QPalette::Text, QColor(Qt::white)},
                              {QPalette::Highlight, QColor(42, 130, 218)},
                              {QPalette::HighlightedText, QColor(Qt::white)}})
    dark.setColor(role, colour);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    dark.setColor(QPalette::Disabled, role, grey);
  return dark;
}

// WCAG 2 relative luminance and contrast, written out here rather than taken from the backend.
double luminance(QRgb pixel) {
  const auto channel = [](int value) {
    const double v = value / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
         0.0722 * channel(qBlue(pixel));
}
double contrast(QRgb a, QRgb b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a label's text on its background as painted: the background is the colour
// most pixels of the label have, the text the pixel that stands out from it most. The cells'
// bottom line lies under the next row's cell, so it does not count.
double painted_contrast(const QImage& picture, QWidget& root, const ShownArea& label) {
  const qreal ratio = picture.devicePixelRatio();
  const QRect area =
      QRect(QPointF(label.widget.mapTo(&root, label.rect.topLeft()) * ratio).toPoint(),
            (QSizeF(label.rect.size()) * ratio).toSize())
          .adjusted(0, 0, 0, -static_cast<int>(std::ceil(2 * ratio)));
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[picture.pixel(x, y)];
  const QRgb back = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                    })->first;
  double best = 1;
  for (const auto& [pixel, count] : counts) best = std::max(best, contrast(pixel, back));
  return best;
}

class QtDarkTheme : public QtCalendarTest {
 protected:
  void SetUp() override {
    light_ = QApplication::palette();
    QApplication::setPalette(dark_palette());
    QtCalendarTest::SetUp();
    state().Dlow = 6;
    state().Dhigh = 10;
    calendar->Aktualizuj(0);
  }
  void TearDown() override {
    QtCalendarTest::TearDown();
    QApplication::setPalette(light_);
  }

  // Every label the month fills in: the day cells with a number, the week number, the weekdays.
  void expect_readable(const char* when) {
    SCOPED_TRACE(when);
    QWidget& root = surface_root(calendar->surface());
    const QImage picture =
        render_surface(calendar->surface()).convertToFormat(QImage::Format_RGB32);
    int measured = 0;
    std::vector<WidgetId> labels{widget_ids::lblTyden};
    for (int i = 0; i < kDayCellCount; ++i) labels.push_back(day_cell_id(i));
    for (int k = 0; k < kWeekdayCount; ++k) labels.push_back(weekday_label_id(k));
    for (WidgetId id : labels) {
      if (widget(id).caption().empty()) continue;
      ++measured;
      EXPECT_GE(painted_contrast(picture, root, shown(id)), 4.5)
          << calendar_widget_table().widgets[static_cast<std::size_t>(id.value)].name << " "
          << widget(id).caption();
    }
    EXPECT_EQ(measured, 31 + 1 + kWeekdayCount);
  }

 private:
  QPalette light_;
};

TEST_F(QtDarkTheme, EveryPaintedCellStandsOutFromItsBackground) {
  expect_readable("enabled: cyan, yellow, plain and bold cells");
  calendar->put_Enabled(false);
  calendar->Aktualizuj(0);
  expect_readable("disabled");
}

TEST_F(QtDarkTheme, ThePaletteChangingLaterRepaintsAndTheHostStillReadsWhatWasSet) {
  QApplication::setPalette(QPalette(QColor(240, 240, 240)));
  QApplication::processEvents();
  QApplication::setPalette(dark_palette());
  QApplication::processEvents();
  expect_readable("after a switch to light and back");
  const Widget& today = widget(day_cell_id(cell_for_day(20, state().Dtyd1)));
  EXPECT_EQ(today.back_colour(), kCyan);
  EXPECT_EQ(today.fore_colour(), kButtonText);
  EXPECT_EQ(widget(widget_ids::lblTyden).fore_colour(), kBlue);
}

}  // namespace
}  // namespace dnovar::qt_test
