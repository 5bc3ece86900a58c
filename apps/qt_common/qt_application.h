// Starting Qt for a program of ours: one QApplication in the Fusion style (unless the program's
// arguments name another with -style), so that pictures and behaviour do not depend on the
// desktop's style.
#pragma once

#include <QApplication>
#include <memory>

namespace dnovar::app {

enum class QtPlatform {
  // The offscreen platform unless the environment names a platform or a display.
  OffscreenWithoutDisplay,
  // The offscreen platform unless the environment names a platform.
  Offscreen,
};

// Creates the program's QApplication; a second one while the first lives is a logic error.
std::unique_ptr<QApplication> start_qt_application(QtPlatform platform);
// The same with the program's arguments, for a program that takes Qt's standard ones (-platform,
// -style, ...): QApplication takes out those it knows and leaves the rest in `argc` and `argv`,
// which must outlive it.
std::unique_ptr<QApplication> start_qt_application(QtPlatform platform, int& argc, char** argv);

}  // namespace dnovar::app
