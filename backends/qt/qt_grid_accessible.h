// What assistive technology sees of a CellGrid: a table whose cells are the grid's cells (a line
// of labels: a group of texts), read from them whenever it asks (names and descriptions as the
// control composed them, the caption as the value), named by the grid's own recipe. The cell under
// the keyboard cursor is the table's focus child while the grid has the focus.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace dnovar {

class CellGrid;
class GridCell;

// The table (or group) of `grid`, for Qt's accessibility factory (qt_accessibility.cpp).
QAccessibleInterface* make_grid_accessible(CellGrid& grid);

// The accessible interface of a cell of its grid (made once, kept with the grid's table).
QAccessibleInterface* cell_accessible(const GridCell& cell);

// Tells assistive technology that `cell` now has the focus, or that its name changed.
void announce_focus(const GridCell& cell);
void announce_name_change(const GridCell& cell);

}  // namespace dnovar
