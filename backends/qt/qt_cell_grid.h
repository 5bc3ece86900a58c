// A control array of labels laid out on a grid (several columns and several rows, such as the
// calendar's day cells) is held by one transparent widget of its own, so that assistive
// technology sees a table: rows by the labels' tops, columns by their lefts, top to bottom and
// left to right. The labels stay where the table puts them; only their Qt parent changes.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/widget_table.h"

namespace dnovar {

// Where a grid's labels stand: the rows' tops and the columns' lefts, each ascending, in twips
// relative to the labels' container.
struct LabelGridShape {
  std::string name;
  int parent = kNoParent;
  std::vector<int> tops;
  std::vector<int> lefts;
  TwipRect bounds;
};

// The label arrays of `table` that form a grid: more than one row and more than one column.
std::vector<LabelGridShape> find_label_grids(const WidgetTable& table);

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

 private:
  LabelGridShape shape_;
  // Row by row, null where the grid has a gap.
  std::vector<QWidget*> cells_;
};

}  // namespace dnovar
