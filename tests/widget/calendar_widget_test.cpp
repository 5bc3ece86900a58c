// dnovar::CalendarWidget through its public API only, as an application links it: properties
// that show at once, each signal once per real change and never without one, the user's actions
// on the real child widgets, and settings files that load whole or not at all.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "dnovar/calendar_widget.h"

// How GoogleTest prints the Qt values these tests compare.
void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
void PrintTo(const QDate& date, std::ostream* out) {
  *out << date.toString(Qt::ISODate).toStdString();
}
void PrintTo(const QColor& color, std::ostream* out) {
  *out << color.name().toStdString();
}

namespace {

using dnovar::CalendarWidget;

const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);

// The label of a day of the shown month: the cells are the labels of 17 x 17 pixels.
QLabel& day_cell(CalendarWidget& widget, int day) {
  for (QLabel* label : widget.findChildren<QLabel*>()) {
    if (label->size() == QSize(17, 17) && label->text() == QString::number(day)) return *label;
  }
  throw std::runtime_error("no cell shows day " + std::to_string(day));
}

// The background of a day's cell as the widget paints it now (right of the number).
QColor background(CalendarWidget& widget, int day) {
  QLabel& cell = day_cell(widget, day);
  const QImage image = widget.grab().toImage();
  const QPoint point = cell.mapTo(&widget, QPoint(cell.width() - 2, cell.height() / 2));
  return image.pixelColor(point * image.devicePixelRatio());
}

QAbstractButton& button(CalendarWidget& widget, const QString& text) {
  for (QAbstractButton* candidate : widget.findChildren<QAbstractButton*>())
    if (candidate->text() == text) return *candidate;
  throw std::runtime_error("no button " + text.toStdString());
}

// The year box: the one that shows the year of the date.
QLineEdit& year_box(CalendarWidget& widget) {
  for (QLineEdit* box : widget.findChildren<QLineEdit*>())
    if (box->isEnabled() && box->text() == QString::number(widget.date().year())) return *box;
  throw std::runtime_error("no year box");
}

// Selects the box's text and types over it, then Enter.
void type_over(QLineEdit& box, const QString& text) {
  box.setFocus();
  QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_A, QChar(1), Qt::ControlModifier);
  QTest::keyClicks(&box, text);
  QTest::keyClick(&box, Qt::Key_Return);
}

void write_file(const QString& path, const QByteArray& contents) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(contents);
}

QByteArray read_file(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Spies {
  explicit Spies(CalendarWidget& widget)
      : date(&widget, &CalendarWidget::dateChanged),
        range(&widget, &CalendarWidget::rangeChanged),
        close(&widget, &CalendarWidget::closeRequested),
        error(&widget, &CalendarWidget::errorOccurred) {}
  // The numbers of the errors reported since the last call.
  std::vector<int> errors() {
    std::vector<int> numbers;
    for (const QList<QVariant>& arguments : error) numbers.push_back(arguments.at(0).toInt());
    error.clear();
    return numbers;
  }
  QSignalSpy date, range, close, error;
};

class CalendarWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    widget.setDate(QDate(2024, 5, 20));
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  }
  CalendarWidget widget;
};

TEST(CalendarWidget, ANewWidgetShowsTodayAtTheControlsSize) {
  const QDate before = QDate::currentDate();
  CalendarWidget fresh;
  const QDate after = QDate::currentDate();
  EXPECT_TRUE(fresh.date() == before || fresh.date() == after)
      << fresh.date().toString().toStdString();
  EXPECT_EQ(fresh.size(), QSize(300, 251));
  EXPECT_EQ(background(fresh, fresh.date().day()), kCyan);
}

struct WriteCase {
  const char* name;
  std::function<void(CalendarWidget&)> write;
  int date_signals;
  int range_signals;
  std::vector<int> errors;
};

TEST_F(CalendarWidgetTest, WritesSignalOncePerRealChangeAndRefusedValuesChangeNothing) {
  // Each row starts from 20 May 2024 with no range.
  const WriteCase cases[] = {
      {"another date", [](auto& w) { w.setDate(QDate(2024, 6, 3)); }, 1, 0, {}},
      {"the same date", [](auto& w) { w.setDate(QDate(2024, 5, 20)); }, 0, 0, {}},
      {"a range", [](auto& w) { w.setRange(6, 10); }, 0, 1, {}},
      {"the same range", [](auto& w) { w.setRange(0, 0); }, 0, 0, {}},
      {"the low end", [](auto& w) { w.setRangeLow(5); }, 0, 1, {}},
      {"the high end", [](auto& w) { w.setRangeHigh(9); }, 0, 1, {}},
      {"the property date", [](auto& w) { w.setProperty("date", QDate(2030, 1, 1)); }, 1, 0, {}},
      {"neither date nor range",
       [](auto& w) {
         w.setCaption(QStringLiteral(" Květen "));
         w.setHighlightColor(Qt::green);
         w.setHolidaysShown(false);
         w.setShiftDays(7);
         w.refresh();
       },
       0,
       0,
       {}},
      {"an invalid date", [](auto& w) { w.setDate(QDate()); }, 0, 0, {5}},
      {"a date past 9999", [](auto& w) { w.setDate(QDate(10000, 1, 1)); }, 0, 0, {6}},
      {"a shift past 16 bits", [](auto& w) { w.setShiftDays(40000); }, 0, 0, {6}},
      {"a range end past 16 bits", [](auto& w) { w.setRange(3, 40000); }, 0, 0, {6}},
      {"black", [](auto& w) { w.setHighlightColor(Qt::black); }, 0, 0, {380}},
      {"Easter of a year past 16 bits", [](auto& w) { w.easterMonday(40000); }, 0, 0, {6}},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    widget.setDate(QDate(2024, 5, 20));
    widget.setRange(0, 0);
    const int shift = widget.shiftDays();
    const QColor colour = widget.highlightColor();
    Spies spies(widget);
    c.write(widget);
    EXPECT_EQ(spies.errors(), c.errors);
    ASSERT_EQ(spies.date.count(), c.date_signals);
    ASSERT_EQ(spies.range.count(), c.range_signals);
    if (c.date_signals == 1) {
      EXPECT_EQ(spies.date.at(0).at(0).toDate(), widget.date());
    }
    if (c.range_signals == 1) {
      EXPECT_EQ(spies.range.at(0).at(0).toInt(), widget.rangeLow());
      EXPECT_EQ(spies.range.at(0).at(1).toInt(), widget.rangeHigh());
    }
    if (!c.errors.empty()) {
      EXPECT_EQ(widget.date(), QDate(2024, 5, 20));
      EXPECT_EQ(widget.rangeLow(), 0);
      EXPECT_EQ(widget.rangeHigh(), 0);
      EXPECT_EQ(widget.shiftDays(), shift);
      EXPECT_EQ(widget.highlightColor(), colour);
    }
  }
}

TEST_F(CalendarWidgetTest, ASlotThatWritesAgainMakesEachChangeSignalOnce) {
  Spies spies(widget);
  QObject::connect(&widget, &CalendarWidget::dateChanged, &widget,
                   [&](QDate date) { widget.setRange(date.day(), date.day() + 2); });
  widget.setDate(QDate(2024, 5, 3));
  EXPECT_EQ(spies.date.count(), 1);
  ASSERT_EQ(spies.range.count(), 1);
  EXPECT_EQ(spies.range.at(0).at(0).toInt(), 3);
  EXPECT_EQ(spies.range.at(0).at(1).toInt(), 5);
}

TEST_F(CalendarWidgetTest, PropertiesShowAtOnce) {
  widget.setRange(6, 10);
  for (int day : {6, 8, 10}) EXPECT_EQ(background(widget, day), kYellow) << day;
  EXPECT_NE(background(widget, 11), kYellow);
  EXPECT_EQ(background(widget, 20), kCyan);

  widget.setHighlightColor(QColor(255, 0, 0));
  EXPECT_EQ(widget.highlightColor(), QColor(255, 0, 0));
  EXPECT_EQ(background(widget, 8), QColor(255, 0, 0));

  widget.setDate(QDate(2024, 6, 3));
  EXPECT_EQ(background(widget, 3), kCyan);
  EXPECT_NE(background(widget, 20), kCyan);

  widget.setDate(QDate(2024, 5, 20));
  EXPECT_TRUE(day_cell(widget, 8).font().bold()) << "8 May is a holiday";
  widget.setHolidaysShown(false);
  EXPECT_FALSE(day_cell(widget, 8).font().bold());
}

TEST_F(CalendarWidgetTest, UserActionsSignalOncePerRealChange) {
  Spies spies(widget);
  widget.setShiftDays(0);
  QTest::mouseClick(&button(widget, QStringLiteral("D + -")), Qt::LeftButton);
  EXPECT_EQ(spies.date.count(), 0) << "a shift by 0 changes nothing";

  widget.setShiftDays(3);
  QTest::mouseClick(&button(widget, QStringLiteral("D + -")), Qt::LeftButton);
  ASSERT_EQ(spies.date.count(), 1);
  EXPECT_EQ(spies.date.takeFirst().at(0).toDate(), QDate(2024, 5, 23));

  QTest::mouseClick(&button(widget, QStringLiteral("&Dnes")), Qt::LeftButton);
  EXPECT_EQ(widget.date(), QDate::currentDate());
  EXPECT_EQ(spies.date.count(), widget.date() != QDate(2024, 5, 23) ? 1 : 0);

  // A drag completes on the first move after the button is let go.
  widget.setDate(QDate(2024, 5, 20));
  spies.date.clear();
  QLabel& from = day_cell(widget, 6);
  QLabel& to = day_cell(widget, 10);
  QTest::mousePress(&from, Qt::LeftButton, {}, QPoint(4, 4));
  QTest::mouseMove(&to, QPoint(4, 4));
  QTest::mouseRelease(&to, Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_EQ(spies.range.count(), 0);
  QTest::mouseMove(&to, QPoint(9, 9));
  ASSERT_EQ(spies.range.count(), 1);
  EXPECT_EQ(spies.range.at(0).at(0).toInt(), 6);
  EXPECT_EQ(spies.range.at(0).at(1).toInt(), 10);
  QTest::mouseMove(&to, QPoint(5, 5));
  EXPECT_EQ(spies.range.count(), 1);

  QTest::mouseClick(&button(widget, QStringLiteral("&Zavři")), Qt::LeftButton);
  EXPECT_EQ(spies.close.count(), 1);

  // A year the calendar cannot show is refused and the year stays.
  QLineEdit& year = year_box(widget);
  type_over(year, QStringLiteral("12000"));
  EXPECT_EQ(spies.errors(), std::vector<int>{5});
  EXPECT_EQ(widget.date(), QDate(2024, 5, 20));
  type_over(year, QStringLiteral("2030"));
  EXPECT_EQ(widget.date(), QDate(2030, 5, 20));
  EXPECT_EQ(spies.date.count(), 1);
  EXPECT_EQ(spies.errors(), std::vector<int>{});
}

TEST_F(CalendarWidgetTest, SettingsSavedLoadIntoAnotherWidgetWithTheirChangesSignalled) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("calendar.bag"));
  widget.setRange(6, 10);
  widget.setCaption(QStringLiteral(" Dovolená "));
  widget.setHighlightColor(QColor(0, 128, 255));
  widget.setShiftDays(14);
  widget.setEnabled(false);
  ASSERT_TRUE(widget.saveSettings(file));

  CalendarWidget other;
  Spies spies(other);
  ASSERT_TRUE(other.loadSettings(file));
  EXPECT_EQ(other.date(), QDate(2024, 5, 20));
  EXPECT_EQ(other.caption(), QStringLiteral(" Dovolená "));
  EXPECT_EQ(other.highlightColor(), QColor(0, 128, 255));
  EXPECT_EQ(other.shiftDays(), 14);
  EXPECT_FALSE(other.isEnabled());
  EXPECT_EQ(spies.date.count(), other.date() != QDate::currentDate() ? 1 : 0);
  EXPECT_EQ(spies.range.count(), 1);
  EXPECT_TRUE(spies.errors().empty());

  // Enabled is the widget's own flag: a disabled parent does not make it false.
  QWidget parent;
  CalendarWidget child(&parent);
  parent.setEnabled(false);
  ASSERT_TRUE(child.saveSettings(file));
  EXPECT_FALSE(read_file(file).contains("Enabled"));
}

TEST_F(CalendarWidgetTest, KeysTheControlDoesNotKnowSurviveALoadAndASave) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("calendar.bag"));
  write_file(file, R"({"format": "dnovar-bag", "version": 1, "properties": [
      {"key": "Datum", "type": "date", "value": "2024-02-29"},
      {"key": "Window", "type": "string", "value": "left"}]})");
  ASSERT_TRUE(widget.loadSettings(file));
  EXPECT_EQ(widget.date(), QDate(2024, 2, 29));
  widget.setDate(QDate(2024, 3, 1));
  ASSERT_TRUE(widget.saveSettings(file));
  const QByteArray saved = read_file(file);
  EXPECT_TRUE(saved.contains("\"left\"")) << saved.toStdString();
  EXPECT_TRUE(saved.contains("2024-03-01")) << saved.toStdString();
}

TEST_F(CalendarWidgetTest, ASlotOfCloseRequestedMayLoadSettingsInPlaceOfTheClosingControl) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("calendar.bag"));
  widget.setDate(QDate(2030, 1, 1));
  ASSERT_TRUE(widget.saveSettings(file));
  widget.setDate(QDate(2024, 5, 20));
  Spies spies(widget);
  QObject::connect(&widget, &CalendarWidget::closeRequested, &widget,
                   [&] { widget.loadSettings(file); });
  QTest::mouseClick(&button(widget, QStringLiteral("&Zavři")), Qt::LeftButton);
  EXPECT_EQ(widget.date(), QDate(2030, 1, 1));
  QCoreApplication::processEvents();
  QTest::mouseClick(&button(widget, QStringLiteral("&Zavři")), Qt::LeftButton);
  EXPECT_EQ(spies.close.count(), 2);
  EXPECT_EQ(spies.date.count(), 1);
}

struct FailedLoadCase {
  const char* name;
  std::optional<QByteArray> contents;  // nullopt: no file
  int error;
};

TEST_F(CalendarWidgetTest, AFailedLoadLeavesTheWidgetAsItWas) {
  const FailedLoadCase cases[] = {
      {"a missing file", std::nullopt, 53},
      {"not a bag", "{\"format\": \"dnovar-bag\", \"version\": 1", 321},
      {"a Dlow the control cannot hold",
       R"({"format": "dnovar-bag", "version": 1, "properties": [
           {"key": "Datum", "type": "date", "value": "2001-01-01"},
           {"key": "Dlow", "type": "i4", "value": 40000}]})",
       6},
  };
  widget.setRange(6, 10);
  widget.setCaption(QStringLiteral("Před"));
  const QImage shown = widget.grab().toImage();
  QTemporaryDir dir;
  for (const FailedLoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = dir.filePath(QString::fromUtf8(c.name));
    if (c.contents) write_file(file, *c.contents);
    Spies spies(widget);
    EXPECT_FALSE(widget.loadSettings(file));
    EXPECT_EQ(spies.errors(), std::vector<int>{c.error});
    EXPECT_EQ(spies.date.count() + spies.range.count(), 0);
    EXPECT_EQ(widget.date(), QDate(2024, 5, 20));
    EXPECT_EQ(widget.caption(), QStringLiteral("Před"));
    EXPECT_TRUE(widget.grab().toImage() == shown);
  }
}

TEST_F(CalendarWidgetTest, AFailedSaveReportsAndLeavesWhatWasThere) {
  QTemporaryDir dir;
  Spies spies(widget);
  EXPECT_FALSE(widget.saveSettings(dir.path()));
  EXPECT_EQ(spies.errors(), std::vector<int>{75});
  EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST_F(CalendarWidgetTest, EasterMondayIsTheControlsEstimate) {
  // The estimate from a mean lunation: right in 2024, a week early in 2001.
  EXPECT_EQ(widget.easterMonday(2024), QDate(2024, 4, 1));
  EXPECT_EQ(widget.easterMonday(2001), QDate(2001, 4, 9));
}

TEST_F(CalendarWidgetTest, ShowAboutReturnsOnceTheDialogIsClosed) {
  bool shown = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    shown = dialog != nullptr;
    if (dialog != nullptr) dialog->close();
  });
  widget.showAbout();
  EXPECT_TRUE(shown);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
