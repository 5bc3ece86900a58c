// A control array of labels in one container (the calendar's day cells, its weekday names), or a
// container's labels that belong to no array, are one Qt widget that paints them all: its labels
// are GridCells, light objects that keep what they show and ask the grid to paint their rectangles
// again. One paint draws every cell in the table's order (a later cell covers the line it shares
// with an earlier one, as a later sibling widget would), each as a QLabel of its look paints it,
// and the keyboard cursor's focus frame. The mouse is read by the cells' rectangles: presses,
// double-clicks and moves (with the buttons held, and without) are reported under the WidgetId of
// the enabled cell under the pointer, as labels report them; between the cells nothing is.
// Assistive technology sees an array's grid (several rows and several columns) as a table
// (qt_grid_accessible.h): rows by the cells' tops, columns by their lefts, top to bottom and left
// to right; other labels as a group of texts.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backends/qt/qt_event_relay.h"
#include "backends/qt/qt_label_stamp.h"
#include "platform/label_grid.h"
#include "platform/toolkit.h"
#include "platform/widget_table.h"

namespace dnovar {

class GridCell;

// The grid key a Qt key presses, and the Qt key that presses a grid key.
std::optional<GridKey> grid_key_of(int qt_key);
int qt_key_of(GridKey grid_key);

class CellGrid final : public QWidget {
 public:
  CellGrid(const LabelGridShape& shape, EventRelay& relay, QWidget* parent);
  ~CellGrid() override;

  // Makes the cell of `row`, standing where the table puts it (the row's place is relative to the
  // grid's container), in the row's font. The grid owns it.
  GridCell& add_cell(const WidgetRow& row, WidgetId id);

  // Whether the cells are an array's grid, which assistive technology sees as a table (a
  // container's loose labels, named by no array, are none).
  bool is_table() const { return !shape_.name.empty() && is_grid(shape_); }
  int row_count() const { return static_cast<int>(shape_.tops.size()); }
  int column_count() const { return static_cast<int>(shape_.lefts.size()); }
  // The cell at (row, column), or null where the grid has a gap.
  GridCell* cell(int row, int column) const;
  // The row and column of a cell of the grid, and its place counted row by row among the cells.
  std::pair<int, int> place_of(const GridCell& cell) const;
  int position_of(const GridCell& cell) const;
  // The cell whose rectangle holds `point` (the later one where two overlap), or null.
  GridCell* cell_at(QPoint point) const;

  // Makes the grid a keyboard target: it takes the focus by Tab (a click leaves the focus where
  // it is) and hands the arrows, Home, End, Enter and Space with their Shift and Ctrl to `on_key`.
  void take_keys(std::function<void(GridKey, int)> on_key);
  // The keyboard cursor: on the cell of array index `index` (-1: none). The cell shows it while
  // the grid has the focus, and assistive technology is told the cell has the focus.
  void set_cursor(int index);
  int cursor() const { return cursor_; }
  // The cell the cursor is on while the grid has the focus, else null.
  GridCell* focused_cell() const;

  // What assistive technology reads for the grid as a whole (composed when read).
  void set_accessible_recipe(const AccessibleRecipe& recipe) { recipe_ = recipe; }
  const AccessibleRecipe& accessible_recipe() const { return recipe_; }

  // A cell's look changed: its rectangle is painted again.
  void cell_changed(const GridCell& cell);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  struct CellColours;
  GridCell* cell_by_index(int index) const;
  GridCell* enabled_cell_at(QPoint point) const;
  const CellColours& colours_of(const GridCell& cell);
  void paint_cell(QPainter& painter, const GridCell& cell, qreal pixel_ratio);
  void paint_focus_frame(QPainter& painter, const GridCell& cell, const CellColours& colours);
  void announce_cursor();

  LabelGridShape shape_;
  EventRelay& relay_;
  // Paints the cells no picture can stand for.
  LabelStamp stamp_;
  // In the table's order, which is the order they are painted in.
  std::vector<std::unique_ptr<GridCell>> cells_;
  // Row by row, null where the grid has a gap.
  std::vector<GridCell*> places_;
  // By array index, null for an index the grid lacks.
  std::vector<GridCell*> by_index_;
  // The colours the cells are painted in, per pair of back and fore colour (a handful), resolved
  // against the application's palette until it changes.
  std::vector<CellColours> colours_;
  int cursor_ = -1;
  // Focus just came in: Qt tells assistive technology of the grid after focusInEvent, and the
  // cursor's cell is told after it, so that a reader ends on the cell.
  bool announcing_ = false;
  // A check of the cursor's cell's name is due, and the name a reader last heard for it.
  bool name_check_pending_ = false;
  std::string announced_name_;
  std::function<void(GridKey, int)> on_key_;
  AccessibleRecipe recipe_;
};

}  // namespace dnovar
