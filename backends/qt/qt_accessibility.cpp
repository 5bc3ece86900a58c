#include "backends/qt/qt_accessibility.h"

#include <QAccessibleWidget>

#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_grid_accessible.h"
#include "backends/qt/qt_spin_arrows.h"

namespace dnovar {

namespace {

QAccessibleInterface* surface_accessible(const QString&, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (auto* grid = dynamic_cast<CellGrid*>(widget)) return make_grid_accessible(*grid);
  if (dynamic_cast<SpinArrows*>(widget) != nullptr)
    return new QAccessibleWidget(widget, QAccessible::SpinBox);
  return nullptr;
}

}  // namespace

void install_accessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(surface_accessible);
    return true;
  }();
  (void)installed;
}

}  // namespace dnovar
