// What a screen reader finds when it walks the control through QAccessible: the day grid as a
// table of 7 weekday rows and 6 week columns holding the 37 cells, each named by its full date and
// its marks, and every other widget named in Czech.
#include <QAccessible>
#include <QApplication>
#include <functional>

#include "tests/qt/qt_calendar_fixture.h"

namespace dnovar::qt_test {
namespace {

// Every interface under `root`, depth first.
void walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
  if (node == nullptr) return;
  visit(node);
  for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), visit);
}

class QtAccessibility : public QtCalendarTest {
 protected:
  void SetUp() override {
    QtCalendarTest::SetUp();
    state().Dlow = 6;
    state().Dhigh = 9;
    calendar->Aktualizuj(0);
  }

  QAccessibleInterface* control() {
    return QAccessible::queryAccessibleInterface(&surface_root(calendar->surface()));
  }

  // The one table under the control.
  QAccessibleTableInterface* day_table() {
    std::vector<QAccessibleInterface*> tables;
    walk(control(), [&](QAccessibleInterface* node) {
      if (node->role() == QAccessible::Table && node->tableInterface() != nullptr)
        tables.push_back(node);
    });
    EXPECT_EQ(tables.size(), 1u);
    return tables.empty() ? nullptr : tables.front()->tableInterface();
  }

  // Names of the cells by their place: row r (weekday), column c (week).
  std::map<std::pair<int, int>, QString> cell_names() {
    std::map<std::pair<int, int>, QString> names;
    QAccessibleTableInterface* table = day_table();
    if (table == nullptr) return names;
    for (int r = 0; r < table->rowCount(); ++r) {
      for (int c = 0; c < table->columnCount(); ++c) {
        QAccessibleInterface* cell = table->cellAt(r, c);
        if (cell == nullptr) continue;
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        EXPECT_NE(place, nullptr);
        if (place != nullptr) {
          EXPECT_EQ(place->rowIndex(), r);
          EXPECT_EQ(place->columnIndex(), c);
        }
        EXPECT_FALSE(cell->text(QAccessible::Description).isEmpty());
        names[{r, c}] = cell->text(QAccessible::Name);
      }
    }
    return names;
  }

  QString name_of_day(const std::map<std::pair<int, int>, QString>& names, int day) {
    const int cell = cell_for_day(day, state().Dtyd1);
    const auto found = names.find({cell % 7, cell / 7});
    return found == names.end() ? QStringLiteral("<none>") : found->second;
  }
};

TEST_F(QtAccessibility, TheDayGridIsATableOfWeekdayRowsAndWeekColumns) {
  QAccessibleTableInterface* table = day_table();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 7);
  EXPECT_EQ(table->columnCount(), 6);
  const auto names = cell_names();
  EXPECT_EQ(names.size(), 37u);
  // May 2024: the 1st is a Wednesday (row 2 of week column 0); the 8th a holiday; the 20th the
  // current day; 6..9 highlighted.
  const struct {
    int day;
    const char* name;
  } cases[] = {
      {1, "středa 1. května 2024, svátek"},   {5, "neděle 5. května 2024"},
      {6, "pondělí 6. května 2024, vybráno"}, {8, "středa 8. května 2024, svátek, vybráno"},
      {20, "pondělí 20. května 2024, dnes"},  {31, "pátek 31. května 2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(name_of_day(names, c.day).toStdString(), c.name) << c.day;
  EXPECT_EQ(names.at({0, 0}).toStdString(), "prázdné pole");  // Monday 29 April
}

TEST_F(QtAccessibility, CellNamesFollowEveryRefreshAndEveryDrag) {
  // A right drag over 7..8 takes them out of the interval.
  const ShownArea from = cell_of_day(7);
  const ShownArea to = cell_of_day(8);
  QTest::mousePress(&from.widget, Qt::RightButton, {}, from.rect.topLeft() + QPoint(4, 4));
  QTest::mouseMove(&to.widget, to.rect.topLeft() + QPoint(4, 4));
  QTest::mouseRelease(&to.widget, Qt::RightButton, {}, to.rect.topLeft() + QPoint(4, 4));
  QTest::mouseMove(&to.widget, to.rect.topLeft() + QPoint(9, 9));
  auto names = cell_names();
  EXPECT_EQ(name_of_day(names, 6).toStdString(), "pondělí 6. května 2024, vybráno");
  EXPECT_EQ(name_of_day(names, 7).toStdString(), "úterý 7. května 2024");
  EXPECT_EQ(name_of_day(names, 8).toStdString(), "středa 8. května 2024, svátek");

  // June 2024: the 1st is a Saturday, and the current date moves to 20 June (today stays in May).
  state().Mesic = 6;
  calendar->Aktualizuj(0);
  names = cell_names();
  EXPECT_EQ(name_of_day(names, 1).toStdString(), "sobota 1. června 2024");
  EXPECT_EQ(name_of_day(names, 20).toStdString(), "čtvrtek 20. června 2024, aktuální datum");
  EXPECT_EQ(names.at({0, 0}).toStdString(), "prázdné pole");
}

TEST_F(QtAccessibility, EveryWidgetHasACzechNameAndADescription) {
  std::map<QString, int> roles_named;  // "role name" -> how many
  QAccessibleInterface* month_list = nullptr;
  walk(control(), [&](QAccessibleInterface* node) {
    roles_named[QString::number(node->role()) + " " + node->text(QAccessible::Name)] += 1;
    if (node->role() == QAccessible::ComboBox) month_list = node;
  });
  const auto count = [&](QAccessible::Role role, const char* name) {
    return roles_named[QString::number(role) + " " + QString::fromUtf8(name)];
  };
  EXPECT_EQ(count(QAccessible::SpinBox, "Den"), 1);
  EXPECT_EQ(count(QAccessible::SpinBox, "Měsíc"), 1);
  EXPECT_EQ(count(QAccessible::SpinBox, "Rok"), 1);
  EXPECT_EQ(count(QAccessible::EditableText, "Rok"), 1);
  EXPECT_EQ(count(QAccessible::EditableText, "Posun o dní"), 1);
  // Qt on Linux names a list box by the entry it shows; the description says what it is.
  ASSERT_NE(month_list, nullptr);
  EXPECT_TRUE(month_list->text(QAccessible::Description).startsWith(QStringLiteral("Měsíc")));
  EXPECT_EQ(qt(widget_ids::cmbMonth).accessibleName(), QStringLiteral("Měsíc"));
  EXPECT_EQ(count(QAccessible::Button, "Dnes"), 1);
  EXPECT_EQ(count(QAccessible::Button, "Zavři"), 1);
  EXPECT_EQ(count(QAccessible::Button, "D + -"), 1);
  for (std::size_t i = 0; i < calendar->surface().widget_count(); ++i) {
    QAccessibleInterface* shown =
        surface_accessible(calendar->surface(), WidgetId{static_cast<int>(i)});
    SCOPED_TRACE(calendar_widget_table().widgets[i].name);
    EXPECT_FALSE(shown->text(QAccessible::Name).isEmpty());
    EXPECT_FALSE(shown->text(QAccessible::Description).isEmpty());
  }
}

}  // namespace
}  // namespace dnovar::qt_test
