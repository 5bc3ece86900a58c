#include "backends/qt/qt_surface_root.h"

#include <QCloseEvent>
#include <QStyle>
#include <QTimer>

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

void SurfaceRoot::keep_font(const QFont& font) {
  font_rule_ = QStringLiteral("* { font-family: \"%1\"; font-size: %2px; font-style: normal; }")
                   .arg(font.families().value(0), QString::number(font.pixelSize()));
}

bool SurfaceRoot::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ApplicationPaletteChange && palette_changed_) palette_changed_();
  // Qt tells a widget of its own flag's change only while its parent is enabled: the surface being
  // enabled again is when the widgets' flags set meanwhile show.
  if (event->type() == QEvent::EnabledChange && enabled_changed_) enabled_changed_();
  // A style sheet (the application's or an ancestor's) now styles the surface: a rule of the
  // surface's own outranks its font rules. Without one the surface stays free of style sheets,
  // which cost every widget memory and time.
  if (event->type() == QEvent::StyleChange && !font_rule_.isEmpty() &&
      style()->inherits("QStyleSheetStyle")) {
    if (styleSheet().isEmpty()) setStyleSheet(font_rule_);
    // The sheet's colours reach the widgets as Qt polishes them, after the surface: the control's
    // own colours are painted over them once that is done, so that every widget shows what the
    // control set (a cell that was on cyan would otherwise keep them no longer than the others).
    if (palette_changed_) QTimer::singleShot(0, this, [this] { palette_changed_(); });
  }
  return handled;
}

bool SurfaceRoot::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange && enabled_changed_) enabled_changed_();
  return QWidget::eventFilter(watched, event);
}

}  // namespace dnovar
