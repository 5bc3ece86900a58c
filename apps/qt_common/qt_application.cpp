#include "apps/qt_common/qt_application.h"

#include <QStyleFactory>
#include <cstdio>
#include <stdexcept>

namespace dnovar::app {

namespace {

// Qt's notes about its environment (no runtime directory, a platform plugin's limits) are not
// the program's output, which scripts compare byte for byte; real failures still go to stderr.
void report_only_failures(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

bool display_named() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<QApplication> start_qt_application(QtPlatform platform) {
  if (QCoreApplication::instance() != nullptr)
    throw std::logic_error("a Qt application is already running");
  const bool offscreen = platform == QtPlatform::Offscreen || !display_named();
  qInstallMessageHandler(report_only_failures);
  if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // QApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "dnovar";
  static char* argv[] = {name, nullptr};
  auto application = std::make_unique<QApplication>(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  return application;
}

}  // namespace dnovar::app
