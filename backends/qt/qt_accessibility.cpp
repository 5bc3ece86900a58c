#include "backends/qt/qt_accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_spin_arrows.h"

namespace dnovar {

namespace {

CellGrid* grid_of(const QWidget* label) {
  return label != nullptr ? dynamic_cast<CellGrid*>(label->parentWidget()) : nullptr;
}

// The grid: a table with nothing selected through it (the control selects days itself).
class GridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(CellGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    QWidget* cell = grid().cell(row, column);
    return cell != nullptr ? QAccessible::queryAccessibleInterface(cell) : nullptr;
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return grid().column_count(); }
  int rowCount() const override { return grid().row_count(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  CellGrid& grid() const { return *static_cast<CellGrid*>(widget()); }
};

// A label of a grid: a table cell, read by its accessible name, its caption as its value.
class GridCellAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface {
 public:
  explicit GridCellAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Cell) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface)
      return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      if (const auto* label = qobject_cast<const QLabel*>(widget())) return label->text();
    }
    return QAccessibleWidget::text(t);
  }

  // The cell under the grid's keyboard cursor has the focus while the grid has it.
  QAccessible::State state() const override {
    QAccessible::State st = QAccessibleWidget::state();
    const CellGrid* grid = grid_of(widget());
    if (grid != nullptr && grid->focused_cell() == widget()) st.focused = true;
    return st;
  }

  bool isSelected() const override { return false; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return place().second; }
  int rowIndex() const override { return place().first; }
  QAccessibleInterface* table() const override {
    return QAccessible::queryAccessibleInterface(widget()->parentWidget());
  }

 private:
  std::pair<int, int> place() const {
    const CellGrid* grid = grid_of(widget());
    const auto found = grid != nullptr ? grid->place_of(widget()) : std::nullopt;
    return found ? *found : std::pair{-1, -1};
  }
};

QAccessibleInterface* surface_accessible(const QString&, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (auto* grid = dynamic_cast<CellGrid*>(widget)) return new GridAccessible(grid);
  if (grid_of(widget) != nullptr) return new GridCellAccessible(widget);
  if (dynamic_cast<SpinArrows*>(widget) != nullptr)
    return new QAccessibleWidget(widget, QAccessible::SpinBox);
  return nullptr;
}

}  // namespace

void install_accessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(surface_accessible);
    return true;
  }();
  (void)installed;
}

}  // namespace dnovar
