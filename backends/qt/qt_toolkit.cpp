#include "backends/qt/qt_toolkit.h"

#include <QApplication>
#include <stdexcept>

#include "backends/qt/qt_surface.h"

namespace dnovar {

namespace {

void require_application() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
    throw std::logic_error("the Qt toolkit needs a QApplication");
}

}  // namespace

std::unique_ptr<Surface> QtToolkit::create_surface(const WidgetTable& table, ErrorSink& errors) {
  require_application();
  return std::make_unique<QtSurface>(table, errors, QtSurface::Role::Control);
}

std::unique_ptr<Form> QtToolkit::create_form(const WidgetTable& table, ErrorSink& errors) {
  require_application();
  return std::make_unique<QtSurface>(table, errors, QtSurface::Role::Form);
}

void QtToolkit::beep() {
  QApplication::beep();
  if (beep_listener_) beep_listener_();
}

}  // namespace dnovar
