#include "backends/qt/qt_access.h"

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
  return qt_surface(surface).widget(id).qt_widget();
}

QImage render_surface(Surface& surface) {
  return surface_root(surface).grab().toImage();
}

}  // namespace dnovar
