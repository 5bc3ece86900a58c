#include "backends/qt/qt_surface_root.h"

#include <QCloseEvent>

namespace dnovar {

void SurfaceRoot::closeEvent(QCloseEvent* event) {
  if (!close_) {
    QWidget::closeEvent(event);
    return;
  }
  // The form's owner unloads it; the window is hidden there, not closed here.
  event->ignore();
  close_();
}

bool SurfaceRoot::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ApplicationPaletteChange && palette_changed_) palette_changed_();
  return handled;
}

}  // namespace dnovar
