#include "platform/label_grid.h"

#include <algorithm>
#include <utility>

namespace dnovar {

namespace {

void insert_sorted(std::vector<int>& values, int value) {
  const auto at = std::lower_bound(values.begin(), values.end(), value);
  if (at == values.end() || *at != value) values.insert(at, value);
}

}  // namespace

std::vector<LabelGridShape> find_label_arrays(const WidgetTable& table) {
  std::vector<LabelGridShape> shapes;
  std::vector<bool> one_container;  // per shape: all its labels share their container
  for (const WidgetRow& row : table.widgets) {
    if (row.kind != WidgetKind::Label || row.index == kNoIndex) continue;
    auto shape = std::find_if(shapes.begin(), shapes.end(),
                              [&](const LabelGridShape& s) { return s.name == row.name; });
    if (shape == shapes.end()) {
      shapes.push_back({row.name, row.parent, {}, {}, row.rect});
      one_container.push_back(true);
      shape = shapes.end() - 1;
    }
    TwipRect& b = shape->bounds;
    const int right = std::max(b.left + b.width, row.rect.left + row.rect.width);
    const int bottom = std::max(b.top + b.height, row.rect.top + row.rect.height);
    b.left = std::min(b.left, row.rect.left);
    b.top = std::min(b.top, row.rect.top);
    b.width = right - b.left;
    b.height = bottom - b.top;
    if (shape->parent != row.parent)
      one_container[static_cast<std::size_t>(shape - shapes.begin())] = false;
    insert_sorted(shape->tops, row.rect.top);
    insert_sorted(shape->lefts, row.rect.left);
  }
  // An array spread over several containers is none, nor a single label.
  std::vector<LabelGridShape> arrays;
  for (std::size_t i = 0; i < shapes.size(); ++i)
    if (one_container[i] && shapes[i].tops.size() + shapes[i].lefts.size() > 2)
      arrays.push_back(std::move(shapes[i]));
  return arrays;
}

std::vector<LabelGridShape> find_label_grids(const WidgetTable& table) {
  std::vector<LabelGridShape> grids = find_label_arrays(table);
  std::erase_if(grids, [](const LabelGridShape& shape) { return !is_grid(shape); });
  return grids;
}

}  // namespace dnovar
