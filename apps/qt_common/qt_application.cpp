#include "apps/qt_common/qt_application.h"

#include <QStyleFactory>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dnovar::app {

namespace {

// Qt's notes about its environment (no runtime directory, a platform plugin's limits) are not
// the program's output, which scripts compare byte for byte; real failures still go to stderr.
void report_only_failures(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Whether the arguments name a style of their own (-style S, -style=S, --style ...).
bool style_named(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    for (const std::string_view option : {"-style", "--style"}) {
      if (argument == option || argument.substr(0, option.size() + 1) == std::string(option) + '=')
        return true;
    }
  }
  return false;
}

bool display_named() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<QApplication> start_qt_application(QtPlatform platform) {
  // QApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "dnovar";
  static char* argv[] = {name, nullptr};
  return start_qt_application(platform, argc, argv);
}

std::unique_ptr<QApplication> start_qt_application(QtPlatform platform, int& argc, char** argv) {
  if (QCoreApplication::instance() != nullptr)
    throw std::logic_error("a Qt application is already running");
  const bool offscreen = platform == QtPlatform::Offscreen || !display_named();
  qInstallMessageHandler(report_only_failures);
  if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool own_style = style_named(argc, argv);
  auto application = std::make_unique<QApplication>(argc, argv);
  if (!own_style) QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  return application;
}

}  // namespace dnovar::app
