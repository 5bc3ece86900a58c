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

}  // namespace dnovar
