// The control alone, started and drawn on the Qt backend, as a picture.
#pragma once

#include <QImage>

#include "apps/render/render_options.h"

namespace dnovar::app {

// Needs a QApplication. Starts a calendar on the settings' date (today for 0) and, when the
// settings ask for more than the start-up shows, applies them with one refresh. A run-time error
// of the start-up, the refresh or a handler inside them is thrown.
QImage render_calendar(const RenderSettings& settings);

}  // namespace dnovar::app
