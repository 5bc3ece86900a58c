// dnovar-container's parts: property text, instance names, and the window hosting the control
// from the module built in this tree, through a registry of its own, with bag files on disk.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "apps/common/component_paths.h"
#include "apps/container/container_window.h"
#include "apps/container/instance_name.h"
#include "apps/container/property_browser.h"
#include "apps/container/property_text.h"
#include "component/bag_file.h"
#include "core/calendar_state.h"
#include "dnovar/calendar_widget.h"
#include "platform/date.h"

namespace dnovar::container {
namespace {

// --- Property text

struct ShownCase {
  Variant value;
  ValueType type;
  std::string text;
};

TEST(ContainerPropertyText, ShowsValuesAsTheUserTypesThem) {
  const ShownCase cases[] = {
      {Variant::i2(-7), ValueType::i2, "-7"},
      {Variant::boolean(true), ValueType::boolean, "True"},
      {Variant::boolean(false), ValueType::boolean, "False"},
      {Variant::date(make_date(2024, 5, 20)), ValueType::date, "2024-05-20"},
      {Variant::date(-0.5), ValueType::date, "1899-12-30T12:00:00"},
      {Variant::i4(0x0000FFFF), ValueType::colour, "0x0000FFFF"},
      {Variant::i4(static_cast<Int32>(0x8000000F)), ValueType::colour, "0x8000000F"},
      {Variant::i4(-1), ValueType::colour, "0xFFFFFFFF"},
      {Variant(), ValueType::colour, ""},
      {Variant::string(" Kalendář "), ValueType::string, " Kalendář "},
  };
  for (const ShownCase& c : cases) EXPECT_EQ(property_text(c.value, c.type), c.text) << c.text;
}

struct TypedCase {
  std::string text;
  ValueType type;
  std::optional<Variant> value;  // nullopt: type mismatch
};

TEST(ContainerPropertyText, ReadsHexColoursWithAllTheirBitsAndLeavesTheRestToTheControl) {
  const TypedCase cases[] = {
      {"0xFF", ValueType::colour, Variant::i4(255)},
      {" &H8000000F& ", ValueType::colour, Variant::i4(static_cast<Int32>(0x8000000F))},
      {"&hffff", ValueType::colour, Variant::i4(0xFFFF)},
      {"0XFFFFFFFF", ValueType::colour, Variant::i4(-1)},
      {"65535", ValueType::colour, Variant::string("65535")},
      {"0x", ValueType::colour, std::nullopt},
      {"&H&", ValueType::colour, std::nullopt},
      {"0x1G", ValueType::colour, std::nullopt},
      {"0x123456789", ValueType::colour, std::nullopt},
      {"0x12", ValueType::i2, Variant::string("0x12")},
      {"2024-05-20", ValueType::date, Variant::string("2024-05-20")},
      {"", ValueType::string, Variant::string("")},
  };
  for (const TypedCase& c : cases) {
    if (c.value) {
      EXPECT_EQ(property_value(c.text, c.type), *c.value) << c.text;
    } else {
      try {
        property_value(c.text, c.type);
        ADD_FAILURE() << c.text << " was taken";
      } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), error_number::type_mismatch) << c.text;
      }
    }
  }
}

// --- Instance names

TEST(ContainerInstanceName, TakesALetterThenLettersDigitsAndUnderscoresUpToForty) {
  const struct {
    std::string name;
    bool valid;
  } cases[] = {
      {"Dnovar1", true}, {"k", true},         {"kalendar_2", true}, {std::string(40, 'a'), true},
      {"", false},       {"1Dnovar", false},  {"_x", false},        {std::string(41, 'a'), false},
      {"a b", false},    {"Kalendář", false}, {"a-b", false},
  };
  for (const auto& c : cases) EXPECT_EQ(valid_instance_name(c.name), c.valid) << c.name;
}

// --- The window

void write_file(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string bag_text(const std::string& properties) {
  return R"({"format": "dnovar-bag", "version": 1, "properties": [)" + properties + "]}";
}

class ContainerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "dnovar-container-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    window = std::make_unique<ContainerWindow>(
        Registry(dir / "registry.json"), app::ControlModule{app::control_module_path(), false});
    QObject::connect(window.get(), &ContainerWindow::logged,
                     [this](const QString& line) { lines.push_back(line.toStdString()); });
  }
  void TearDown() override {
    window.reset();
    // Objects Qt let go of with deleteLater are deleted now, not left to the process's exit.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(dir);
  }

  // Lets the window's deferred refresh run.
  static void settle() { QCoreApplication::processEvents(); }

  bool logged(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  bool logged_error(int number) const {
    const std::string prefix = "error " + std::to_string(number) + " ";
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
  }

  PropertyBrowser& browser() { return window->property_browser(); }
  QString shown(const char* property) {
    const int row = browser().row_of(QString::fromLatin1(property));
    return row < 0 ? QStringLiteral("<none>") : browser().item(row, 1)->text();
  }
  // Opens a bag holding only Datum (`YYYY-MM-DD`) and shows the window; false when it is not
  // exposed.
  bool show_bag_of(const char* datum) {
    const std::filesystem::path bag = dir / "form.bag";
    write_file(bag, bag_text(std::string(R"({"key": "Datum", "type": "date", "value": ")") + datum +
                             "\"}"));
    window->start(bag);
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
  }
  // As the user's edit of the value cell arrives.
  void type_into(const char* property, const QString& text) {
    browser().item(browser().row_of(QString::fromLatin1(property)), 1)->setText(text);
    settle();
  }
  Variant read(const char* property) {
    return get_property(window->document().control()->dispatch(), property);
  }

  std::filesystem::path dir;
  std::unique_ptr<ContainerWindow> window;
  std::vector<std::string> lines;
};

TEST_F(ContainerWindowTest, ANewInstanceRegistersTheModuleAndListsEveryPropertyInLibraryOrder) {
  window->start(std::nullopt);

  ASSERT_NE(window->document().control(), nullptr);
  EXPECT_TRUE(logged("registered DnovarLib.Dnovar in " + (dir / "registry.json").string()));
  EXPECT_TRUE(window->document().registry().find_prog_id("DnovarLib.Dnovar").has_value());
  const char* properties[] = {"Dtyd",  "Dtyd1",   "Svatky",     "Dlow",  "Dhigh",
                              "Dplus", "Caption", "VyberColor", "Datum", "Enabled"};
  ASSERT_EQ(browser().rowCount(), static_cast<int>(std::size(properties)));
  for (int row = 0; row < browser().rowCount(); ++row)
    EXPECT_EQ(browser().item(row, 0)->text(), QString::fromLatin1(properties[row]));
  EXPECT_EQ(shown("Caption"), QStringLiteral("Dnovar1"));
  EXPECT_EQ(shown("VyberColor"), QStringLiteral("0x0000FFFF"));
  ASSERT_NE(window->control_root(), nullptr);
  EXPECT_TRUE(window->isAncestorOf(window->control_root()));
  EXPECT_TRUE(logged("changed Caption"));
  EXPECT_FALSE(window->document().modified());
}

// The day cell of `day` in the month of `date` shown by the control whose root is `root`: cell i
// is at 1080 + 360 * (i / 7), 1200 + 240 * (i % 7) twips in the frame, which is at 120, 120, and
// 255 twips square. The grid that paints the cells takes their clicks; what it shows of a cell is
// read as assistive technology reads it, and from its pixels.
struct DayCellShown {
  QWidget* grid = nullptr;
  QPoint centre;  // in the grid
  QString caption;
  QColor background;
};

DayCellShown day_cell_in(QWidget& root, QDate date, int day) {
  const int cell = QDate(date.year(), date.month(), 1).dayOfWeek() + day - 2;
  const QPoint corner((120 + 1080 + 360 * (cell / 7)) / 15, (120 + 1200 + 240 * (cell % 7)) / 15);
  const QPoint centre = corner + QPoint(8, 8);
  DayCellShown shown;
  shown.grid = root.childAt(centre);
  if (shown.grid == nullptr) return shown;
  shown.centre = shown.grid->mapFrom(&root, centre);
  const QPoint global = root.mapToGlobal(centre);
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(shown.grid);
  if (QAccessibleInterface* found = table->childAt(global.x(), global.y()))
    shown.caption = found->text(QAccessible::Value);
  const QImage picture = root.grab().toImage();
  // Right of the number, above the line the next row's cell covers.
  shown.background = picture.pixelColor((corner + QPoint(15, 8)) * picture.devicePixelRatio());
  return shown;
}

bool any_error(const std::vector<std::string>& lines) {
  return std::any_of(lines.begin(), lines.end(),
                     [](const std::string& l) { return l.rfind("error ", 0) == 0; });
}

TEST_F(ContainerWindowTest, FileNewGivesACalendarStartedOnTodayThatTakesClicksAndDoubleClicks) {
  ASSERT_TRUE(show_bag_of("2024-05-20"));
  QAction* file_new = nullptr;
  for (QAction* menu : window->menuBar()->actions())
    for (QAction* action : menu->menu()->actions())
      if (action->text() == QStringLiteral("&New")) file_new = action;
  ASSERT_NE(file_new, nullptr);
  file_new->trigger();
  settle();
  EXPECT_TRUE(logged("new Dnovar1"));
  EXPECT_TRUE(window->document().file().empty());

  const QDate today = QDate::currentDate();
  EXPECT_EQ(read("Datum"), Variant::date(make_date(today.year(), today.month(), today.day())));
  EXPECT_EQ(read("Caption"), Variant::string("Dnovar1"));
  QWidget& root = *window->control_root();
  const DayCellShown today_cell = day_cell_in(root, today, today.day());
  ASSERT_NE(today_cell.grid, nullptr);
  EXPECT_EQ(today_cell.caption, QString::number(today.day()));
  EXPECT_EQ(today_cell.background, QColor(0, 255, 255));
  auto* months = root.findChild<QComboBox*>();
  ASSERT_NE(months, nullptr);
  ASSERT_EQ(months->count(), 12);
  for (int m = 0; m < 12; ++m)
    EXPECT_EQ(months->itemText(m).toStdString(), kMonthNames[static_cast<std::size_t>(m)]);
  EXPECT_EQ(months->currentText().toStdString(),
            kMonthNames[static_cast<std::size_t>(today.month() - 1)]);
  EXPECT_FALSE(window->document().modified());

  // A click selects nothing; a double-click makes the day the date. Neither fails.
  const int other = today.day() == 10 ? 11 : 10;
  const DayCellShown cell = day_cell_in(root, today, other);
  ASSERT_NE(cell.grid, nullptr);
  lines.clear();
  QTest::mouseClick(cell.grid, Qt::LeftButton, {}, cell.centre);
  EXPECT_EQ(read("Datum"), Variant::date(make_date(today.year(), today.month(), today.day())));
  QTest::mouseDClick(cell.grid, Qt::LeftButton, {}, cell.centre);
  settle();
  EXPECT_FALSE(any_error(lines));
  EXPECT_EQ(read("Datum"), Variant::date(make_date(today.year(), today.month(), other)));
  EXPECT_EQ(day_cell_in(root, today, other).background, QColor(0, 255, 255));
}

// The Qt widget asked for the control's rules draws what the container shows, pixel for pixel;
// with today's rules April 2025 differs (Good Friday the 18th, Easter Monday the 21st, not 14th).
TEST_F(ContainerWindowTest, TheWidgetOnTheControlsRulesDrawsWhatTheContainerShows) {
  ASSERT_TRUE(show_bag_of("2025-04-10"));
  settle();
  const QImage shown = window->control_root()->grab().toImage();

  CalendarWidget widget;
  widget.setCaption(QStringLiteral("Dnovar1"));
  widget.setDate(QDate(2025, 4, 10));
  for (const auto rules : {CalendarWidget::Control, CalendarWidget::Current}) {
    widget.setRules(rules);
    const QImage drawn = widget.grab().toImage().copy(QRect(QPoint(0, 0), shown.size()));
    EXPECT_EQ(drawn.convertToFormat(shown.format()) == shown, rules == CalendarWidget::Control)
        << "rules " << rules;
  }
}

TEST_F(ContainerWindowTest, TabFromTheNameFieldReachesTheControlAndGoesOnPastIt) {
  window->start(std::nullopt);
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QWidget& root = *window->control_root();
  window->name_editor().setFocus(Qt::OtherFocusReason);
  QTest::keyClick(&window->name_editor(), Qt::Key_Tab);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_TRUE(root.isAncestorOf(QApplication::focusWidget())) << "Tab from Name";
  // Nine widgets of the control and its day grid take the focus; the tenth Tab leaves it, for
  // the window.
  for (int i = 0; i < 10; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_FALSE(root.isAncestorOf(QApplication::focusWidget()));
  EXPECT_NE(QApplication::focusWidget(), &window->name_editor());
}

TEST_F(ContainerWindowTest, EditsGoThroughTheControlAndSavingKeepsKeysTheControlDoesNotKnow) {
  const std::filesystem::path bag = dir / "form.bag";
  write_file(bag, bag_text(R"({"key": "Datum", "type": "date", "value": "2024-05-20"},
                              {"key": "Poznamka", "type": "string", "value": "kept"})"));
  window->start(bag);
  ASSERT_TRUE(logged("opened " + bag.string()));
  EXPECT_EQ(shown("Datum"), QStringLiteral("2024-05-20"));
  EXPECT_EQ(shown("Dtyd1"), QStringLiteral("3"));
  EXPECT_FALSE(window->document().modified());

  // The same date again: the control notifies the change all the same, which marks the document.
  type_into("Datum", QStringLiteral("2024-05-20T00:00:00"));
  EXPECT_TRUE(logged("changed Datum"));
  EXPECT_TRUE(window->isWindowModified());

  type_into("Dlow", QStringLiteral("5"));
  type_into("Dhigh", QStringLiteral(" 9 "));
  type_into("VyberColor", QStringLiteral("&HFF&"));
  EXPECT_EQ(read("Dlow"), Variant::i2(5));
  EXPECT_EQ(read("Dhigh"), Variant::i2(9));
  EXPECT_EQ(shown("VyberColor"), QStringLiteral("0x000000FF"));
  EXPECT_TRUE(logged("changed VyberColor"));
  EXPECT_TRUE(window->isWindowModified());

  ASSERT_TRUE(window->save());
  settle();
  EXPECT_FALSE(window->isWindowModified());
  const MemoryBag saved = load_bag_file(bag);
  ASSERT_NE(saved.find("Dlow"), nullptr);
  EXPECT_EQ(*saved.find("Dlow"), Variant::i2(5));
  EXPECT_EQ(*saved.find("Dhigh"), Variant::i2(9));
  EXPECT_EQ(*saved.find("VyberColor"), Variant::i4(255));
  EXPECT_EQ(*saved.find("Datum"), Variant::date(make_date(2024, 5, 20)));
  ASSERT_NE(saved.find("Poznamka"), nullptr);
  EXPECT_EQ(*saved.find("Poznamka"), Variant::string("kept"));
}

TEST_F(ContainerWindowTest, AValueTheControlRefusesIsLoggedAndTheRowShowsWhatItHolds) {
  window->start(std::nullopt);
  // A new instance is started on today.
  const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
  const struct {
    const char* property;
    const char* typed;
    int error;  // 0: taken or ignored without error
    std::string shown;
  } cases[] = {
      {"Dlow", "x", error_number::type_mismatch, "0"},
      {"Dlow", "40000", error_number::overflow, "0"},
      {"Datum", "2023-02-29", error_number::type_mismatch, today},
      {"VyberColor", "0x", error_number::type_mismatch, "0x0000FFFF"},
      {"VyberColor", "&H8000000F&", 0, "0x0000FFFF"},  // system colours are ignored by the control
      {"Svatky", "False", 0, "False"},
  };
  for (const auto& c : cases) {
    lines.clear();
    type_into(c.property, QString::fromLatin1(c.typed));
    if (c.error != 0) {
      EXPECT_TRUE(logged_error(c.error)) << c.property << " = " << c.typed;
    } else {
      EXPECT_FALSE(logged_error(error_number::type_mismatch) ||
                   logged_error(error_number::overflow))
          << c.typed;
    }
    EXPECT_EQ(shown(c.property).toStdString(), c.shown) << c.property << " = " << c.typed;
  }
}

TEST_F(ContainerWindowTest, AFileThatFailsToOpenLeavesTheInstanceAndItsFileAsTheyWere) {
  const std::filesystem::path good = dir / "good.bag";
  write_file(good, bag_text(R"({"key": "Datum", "type": "date", "value": "2024-05-20"})"));
  window->start(good);
  HostedControl* before = window->document().control();
  ASSERT_NE(before, nullptr);

  const struct {
    const char* file;
    std::string text;  // empty: no such file
    int error;
  } cases[] = {
      {"overflow.bag", bag_text(R"({"key": "Dlow", "type": "i4", "value": 40000})"),
       error_number::overflow},
      {"truncated.bag", R"({"format": "dnovar-bag", "version": 1, "properties": [)", 321},
      {"missing.bag", "", 53},
  };
  for (const auto& c : cases) {
    lines.clear();
    if (!c.text.empty()) write_file(dir / c.file, c.text);
    EXPECT_FALSE(window->open_file(dir / c.file)) << c.file;
    EXPECT_TRUE(logged_error(c.error)) << c.file;
    EXPECT_EQ(window->document().control(), before) << c.file;
    EXPECT_EQ(window->document().file(), good) << c.file;
    EXPECT_EQ(shown("Datum"), QStringLiteral("2024-05-20")) << c.file;
  }
}

TEST_F(ContainerWindowTest, RenamingChecksTheNameAndChangesWhatASaveStores) {
  window->start(std::nullopt);
  QLineEdit& name = window->name_editor();

  name.setText(QStringLiteral("1x"));
  emit name.editingFinished();
  EXPECT_TRUE(logged_error(error_number::invalid_property_value));
  EXPECT_EQ(name.text(), QStringLiteral("Dnovar1"));
  EXPECT_FALSE(window->document().modified());

  name.setText(QStringLiteral("Kalendar"));
  emit name.editingFinished();
  settle();
  EXPECT_EQ(window->site().extender_name(), "Kalendar");
  // The caption still reads Dnovar1, which now differs from its default (the name): it is stored.
  EXPECT_TRUE(window->isWindowModified());
  const std::filesystem::path bag = dir / "renamed.bag";
  ASSERT_TRUE(window->save_to(bag));
  const MemoryBag saved = load_bag_file(bag);
  ASSERT_NE(saved.find("Caption"), nullptr);
  EXPECT_EQ(*saved.find("Caption"), Variant::string("Dnovar1"));
}

TEST_F(ContainerWindowTest, TheControlsEventAndMethodsReachTheLogAndTheBrowser) {
  ASSERT_TRUE(show_bag_of("2024-05-20"));

  QAbstractButton* zavri = nullptr;
  for (QAbstractButton* button : window->control_root()->findChildren<QAbstractButton*>())
    if (button->text() == QString::fromUtf8("&Zavři")) zavri = button;
  ASSERT_NE(zavri, nullptr);
  QTest::mouseClick(zavri, Qt::LeftButton);
  EXPECT_TRUE(logged("event Zavri"));

  // Datum written, then Aktualizuj with k = 1 shows it: the browser follows both.
  type_into("Datum", QStringLiteral("2024-02-29"));
  EXPECT_TRUE(logged("changed Datum"));
  auto* k = window->findChild<QSpinBox*>(QStringLiteral("k"));
  ASSERT_NE(k, nullptr);
  k->setValue(1);
  QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("Aktualizuj")),
                    Qt::LeftButton);
  settle();
  EXPECT_EQ(shown("Dtyd1"), QStringLiteral("4"));  // 1 February 2024 is a Thursday
  EXPECT_EQ(shown("Dtyd"), QStringLiteral("4"));
}

}  // namespace
}  // namespace dnovar::container
