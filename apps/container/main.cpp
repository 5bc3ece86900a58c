// dnovar-container: a window hosting the calendar control, like a control test container.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <iostream>
#include <optional>

#include "apps/common/command_line.h"
#include "apps/common/run_guarded.h"
#include "apps/container/container_site.h"
#include "apps/container/container_window.h"
#include "apps/installed/installed_module.h"
#include "apps/qt_common/qt_application.h"

namespace {

struct ContainerOptions {
  std::string bag;
  std::string screenshot;
  bool print_geometry = false;
};

// Where the control's widgets start in the window, in the window's pixels, and the window's
// device pixel ratio: "control X Y RATIO". A tool sending real pointer events finds day cell i
// at (X + (1200 + 360 * (i / 7)) / 15, Y + (1320 + 240 * (i % 7)) / 15) times RATIO.
void print_geometry(const dnovar::container::ContainerWindow& window) {
  const QWidget* root = window.control_root();
  if (root == nullptr) {
    std::cout << "control none" << std::endl;
    return;
  }
  const QPoint origin = root->mapTo(&window, QPoint(0, 0));
  std::cout << "control " << origin.x() << ' ' << origin.y() << ' ' << window.devicePixelRatioF()
            << std::endl;
}

}  // namespace

namespace {

int run_container(int& argc, char** argv) {
  // Qt's standard arguments (-platform, -style, ...) first: QApplication takes them out of argv.
  const auto application = dnovar::app::start_qt_application(
      dnovar::app::QtPlatform::OffscreenWithoutDisplay, argc, argv);
  QApplication::setApplicationName(QStringLiteral("dnovar-container"));

  ContainerOptions options;
  CLI::App cli{
      "dnovar-container: hosts the Dnovar calendar control beside its properties, methods and "
      "events"};
  cli.add_option("bag", options.bag,
                 "Property-bag file to load the control from (default: a new instance)");
  cli.add_option("--screenshot", options.screenshot,
                 "Write a PNG of the window once it is painted, then exit");
  cli.add_flag(
      "--print-geometry", options.print_geometry,
      "Print \"control X Y RATIO\": the control's place in the window, once it is painted");
  dnovar::app::add_version_flag(cli, "dnovar-container");
  if (const auto status = dnovar::app::parse_command_line(cli, argc, argv)) return *status;
  const dnovar::app::ControlModule module = dnovar::app::program_control_module();

  if (QApplication::platformName() == QStringLiteral("offscreen") && options.screenshot.empty())
    std::cerr << "dnovar-container: no display, running offscreen (use --screenshot FILE for a "
                 "picture)\n";

  std::filesystem::path registry;
  try {
    registry = dnovar::Registry::default_path();
  } catch (const dnovar::RuntimeError& error) {
    std::cerr << "dnovar-container: " << dnovar::container::error_line(error) << '\n';
    return 1;
  }

  dnovar::container::ContainerWindow window(dnovar::Registry(registry), module);
  QObject::connect(&window, &dnovar::container::ContainerWindow::logged,
                   [](const QString& line) { std::cout << line.toStdString() << std::endl; });
  QObject::connect(&window, &dnovar::container::ContainerWindow::first_painted, &window, [&] {
    if (options.print_geometry) print_geometry(window);
    if (options.screenshot.empty()) return;
    if (!window.grab().save(QString::fromStdString(options.screenshot), "PNG")) {
      std::cerr << "dnovar-container: cannot write " << options.screenshot << '\n';
      QCoreApplication::exit(1);
      return;
    }
    std::cout << "screenshot " << options.screenshot << std::endl;
    QCoreApplication::exit(0);
  });
  window.start(options.bag.empty() ? std::nullopt
                                   : std::optional<std::filesystem::path>(options.bag));
  window.show();
  window.activateWindow();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  return dnovar::app::run_program("dnovar-container", [&] { return run_container(argc, argv); });
}
