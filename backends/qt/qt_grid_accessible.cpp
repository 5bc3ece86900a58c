#include "backends/qt/qt_grid_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <string>
#include <vector>

#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_grid_cell.h"
#include "backends/qt/qt_text.h"

namespace dnovar {

namespace {

QAccessibleInterface* table_of(CellGrid* grid) {
  return grid != nullptr ? QAccessible::queryAccessibleInterface(grid) : nullptr;
}

// A cell of the grid at (row, column): read from the grid's cell whenever asked, so it holds
// nothing but its place.
class GridCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridCellAccessible(CellGrid& grid, int row, int column)
      : grid_(&grid), row_(row), column_(column) {}

  bool isValid() const override { return cell() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    QAccessibleInterface* table = this->table();
    return table != nullptr ? table->window() : nullptr;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return table(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text t) const override {
    const GridCell* shown = cell();
    if (shown == nullptr) return {};
    switch (t) {
      case QAccessible::Name:
        return qt_text(shown->accessible_name());
      case QAccessible::Description:
        return qt_text(shown->accessible_description());
      case QAccessible::Value:
        return shown->shown_caption();
      default:
        return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    const GridCell* shown = cell();
    if (shown == nullptr) return {};
    return QRect(grid_->mapToGlobal(shown->rect().topLeft()), shown->rect().size());
  }
  QAccessible::Role role() const override {
    return grid_ != nullptr && grid_->is_table() ? QAccessible::Cell : QAccessible::StaticText;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    const GridCell* shown = cell();
    if (shown == nullptr) {
      state.invalid = true;
      return state;
    }
    state.disabled = !shown->enabled() || !grid_->isEnabled();
    state.invisible = !grid_->isVisible();
    // The keyboard cursor's cell has the focus while the grid has it.
    state.focusable = grid_->focusPolicy() != Qt::NoFocus;
    state.focused = grid_->focused_cell() == shown;
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface && grid_ != nullptr && grid_->is_table())
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return table_of(grid_.data()); }

 private:
  const GridCell* cell() const { return grid_ != nullptr ? grid_->cell(row_, column_) : nullptr; }

  QPointer<CellGrid> grid_;
  int row_;
  int column_;
};

// The grid: a table with nothing selected through it (the control selects days itself), named
// by the grid's recipe. Its cells' interfaces are made when first asked for and registered with
// Qt, which hands them out by id; they go with the table.
class GridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(CellGrid& grid)
      : QAccessibleWidget(&grid, grid.is_table() ? QAccessible::Table : QAccessible::Grouping),
        cell_ids_(static_cast<std::size_t>(grid.row_count() * grid.column_count()), 0) {}
  ~GridAccessible() override {
    for (QAccessible::Id id : cell_ids_)
      if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface)
      return grid().is_table() ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    const AccessibleRecipe& recipe = grid().accessible_recipe();
    if ((t != QAccessible::Name && t != QAccessible::Description) || recipe.compose == nullptr)
      return QAccessibleWidget::text(t);
    std::string name, description;
    recipe.compose(recipe, name, description);
    return qt_text(t == QAccessible::Name ? name : description);
  }

  // The cells, row by row (their positions, CellGrid::position_of).
  int childCount() const override {
    int count = 0;
    for_each_cell([&](int, int) { ++count; });
    return count;
  }
  QAccessibleInterface* child(int index) const override {
    QAccessibleInterface* found = nullptr;
    int at = 0;
    for_each_cell([&](int row, int column) {
      if (at++ == index) found = cellAt(row, column);
    });
    return found;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr || child->role() != QAccessible::Cell) return -1;
    int index = -1;
    int at = 0;
    for_each_cell([&](int row, int column) {
      if (cellAt(row, column) == child) index = at;
      ++at;
    });
    return index;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const GridCell* cell = grid().cell_at(grid().mapFromGlobal(QPoint(x, y)));
    return cell != nullptr ? cell_interface(*cell) : nullptr;
  }
  // The cursor's cell, while the grid has the focus.
  QAccessibleInterface* focusChild() const override {
    if (const GridCell* cell = grid().focused_cell()) return cell_interface(*cell);
    return QAccessibleWidget::focusChild();
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    const GridCell* cell = grid().cell(row, column);
    return cell != nullptr ? interface_at(row, column) : nullptr;
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

  QAccessibleInterface* cell_interface(const GridCell& cell) const {
    const auto [row, column] = grid().place_of(cell);
    return row >= 0 ? interface_at(row, column) : nullptr;
  }

 private:
  CellGrid& grid() const { return *static_cast<CellGrid*>(widget()); }

  template <typename Visit>
  void for_each_cell(Visit&& visit) const {
    for (int row = 0; row < grid().row_count(); ++row)
      for (int column = 0; column < grid().column_count(); ++column)
        if (grid().cell(row, column) != nullptr) visit(row, column);
  }

  QAccessibleInterface* interface_at(int row, int column) const {
    QAccessible::Id& id = cell_ids_[static_cast<std::size_t>(row * grid().column_count() + column)];
    if (id == 0)
      id = QAccessible::registerAccessibleInterface(new GridCellAccessible(grid(), row, column));
    return QAccessible::accessibleInterface(id);
  }

  // By place, row by row; 0 for a cell not asked for yet.
  mutable std::vector<QAccessible::Id> cell_ids_;
};

}  // namespace

QAccessibleInterface* make_grid_accessible(CellGrid& grid) {
  return new GridAccessible(grid);
}

QAccessibleInterface* cell_accessible(const GridCell& cell) {
  // Through the grid's interface as Qt hands it out: it may be another module's copy of this code,
  // when a program holds the control of a component module too.
  QAccessibleInterface* table = table_of(&cell.grid());
  const int position = cell.grid().position_of(cell);
  return table != nullptr && position >= 0 ? table->child(position) : nullptr;
}

namespace {

void announce(const GridCell& cell, QAccessible::Event type) {
  if (QAccessibleInterface* shown = cell_accessible(cell)) {
    QAccessibleEvent event(shown, type);
    QAccessible::updateAccessibility(&event);
  }
}

}  // namespace

void announce_focus(const GridCell& cell) {
  announce(cell, QAccessible::Focus);
}

void announce_name_change(const GridCell& cell) {
  announce(cell, QAccessible::NameChanged);
}

}  // namespace dnovar
