// A control array of labels laid out on several rows and several columns (the calendar's day
// cells) is a grid: assistive technology sees it as a table, and the keyboard walks it.
#pragma once

#include <string>
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

// Whether labels of this shape form a grid: more than one row and more than one column.
inline bool is_grid(const LabelGridShape& shape) {
  return shape.tops.size() > 1 && shape.lefts.size() > 1;
}

// The label arrays of `table` with more than one element, all in one container (a line of labels
// or a grid); in the table's order.
std::vector<LabelGridShape> find_label_arrays(const WidgetTable& table);

// The label arrays of `table` that form a grid; in the table's order.
std::vector<LabelGridShape> find_label_grids(const WidgetTable& table);

}  // namespace dnovar
