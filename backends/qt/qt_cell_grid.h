// A control array of labels laid out on a grid (several columns and several rows, such as the
// calendar's day cells) is held by one transparent widget of its own, so that assistive
// technology sees a table: rows by the labels' tops, columns by their lefts, top to bottom and
// left to right. The labels stay where the table puts them; only their Qt parent changes.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/label_grid.h"
#include "platform/toolkit.h"
#include "platform/widget_table.h"

namespace dnovar {

// The grid key a Qt key presses, and the Qt key that presses a grid key.
std::optional<GridKey> grid_key_of(int qt_key);
int qt_key_of(GridKey grid_key);

class CellGrid final : public QWidget {
 public:
  CellGrid(const LabelGridShape& shape, QWidget* parent);

  // Takes `label`, created in the grid for `row`, at the row and column the row's place gives.
  void adopt(QWidget& label, const WidgetRow& row);

  int row_count() const { return static_cast<int>(shape_.tops.size()); }
  int column_count() const { return static_cast<int>(shape_.lefts.size()); }
  // The label at (row, column), or null where the grid has a gap.
  QWidget* cell(int row, int column) const;
  // The row and column of `label`, when it is one of the grid's.
  std::optional<std::pair<int, int>> place_of(const QWidget* label) const;

  // Makes the grid a keyboard target: it takes the focus by Tab (a click leaves the focus where
  // it is) and hands the arrows, Home, End, Enter and Space with their Shift and Ctrl to `on_key`.
  void take_keys(std::function<void(GridKey, int)> on_key);
  // The keyboard cursor: on the label of array index `index` (-1: none). The label shows it while
  // the grid has the focus, and assistive technology is told the label has the focus.
  void set_cursor(int index);
  int cursor() const { return cursor_; }
  // The label the cursor is on while the grid has the focus, else null.
  QWidget* focused_cell() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QWidget* label_at(int index) const;
  void show_cursor(bool shown);

  LabelGridShape shape_;
  // Row by row, null where the grid has a gap.
  std::vector<QWidget*> cells_;
  // By array index, null for an index the grid lacks.
  std::vector<QWidget*> by_index_;
  int cursor_ = -1;
  std::function<void(GridKey, int)> on_key_;
};

}  // namespace dnovar
