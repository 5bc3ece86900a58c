// Starting Qt for a program of ours: one QApplication in the Fusion style, so that pictures and
// behaviour do not depend on the desktop's style.
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

}  // namespace dnovar::app
