// The control alone, started and drawn on the build's toolkit (Qt offscreen, or the real Windows
// controls), as a PNG file.
#pragma once

#include <string>

#include "apps/render/render_options.h"

namespace dnovar::app {

// Starts a calendar on the settings' date (today for 0) and, when the settings ask for more than
// the start-up shows, applies them with one refresh; then writes its picture to `file`. False
// when the file cannot be written. A run-time error of the start-up, the refresh or a handler
// inside them is thrown, and no file is written.
bool write_calendar_png(const RenderSettings& settings, const std::string& file);

}  // namespace dnovar::app
