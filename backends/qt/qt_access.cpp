#include "backends/qt/qt_access.h"

#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_grid_accessible.h"
#include "backends/qt/qt_grid_cell.h"
#include "backends/qt/qt_surface.h"

namespace dnovar {

namespace {

QtSurface& qt_surface(Surface& surface) {
  auto* qt = dynamic_cast<QtSurface*>(&surface);
  if (qt == nullptr) raise_invalid_argument();
  return *qt;
}

}  // namespace

QWidget& surface_root(Surface& surface) {
  return qt_surface(surface).root();
}

QWidget& surface_widget(Surface& surface, WidgetId id) {
  QtWidget* widget = qt_surface(surface).qt_widget(id);
  if (widget == nullptr) raise_invalid_argument();
  return widget->qt_widget();
}

ShownArea shown_area(Surface& surface, WidgetId id) {
  if (QtWidget* widget = qt_surface(surface).qt_widget(id))
    return {widget->qt_widget(), widget->qt_widget().rect()};
  const auto& cell = static_cast<const GridCell&>(surface.widget(id));
  return {cell.grid(), cell.rect()};
}

QFont shown_font(Surface& surface, WidgetId id) {
  if (QtWidget* widget = qt_surface(surface).qt_widget(id)) return widget->qt_widget().font();
  return static_cast<const GridCell&>(surface.widget(id)).font();
}

QAccessibleInterface* surface_accessible(Surface& surface, WidgetId id) {
  if (QtWidget* widget = qt_surface(surface).qt_widget(id))
    return QAccessible::queryAccessibleInterface(&widget->qt_widget());
  return cell_accessible(static_cast<const GridCell&>(surface.widget(id)));
}

QImage render_surface(Surface& surface) {
  return surface_root(surface).grab().toImage();
}

}  // namespace dnovar
