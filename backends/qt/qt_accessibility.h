// What assistive technology sees of a Qt surface beyond the widgets' own accessible names: a
// grid of labels (CellGrid) is a table whose cells are the labels it paints
// (qt_grid_accessible.h), and a spin control is a spin box. Installed once per program, before the
// first surface is shown.
#pragma once

namespace dnovar {

void install_accessibility();

}  // namespace dnovar
