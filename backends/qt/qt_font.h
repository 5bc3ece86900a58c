// Fonts on the Qt side. The faces the control names ("MS Sans Serif", "Arial CE") are not on a
// Linux desktop; they fall back to Liberation Sans (metric-compatible with Arial), then DejaVu
// Sans. Sizes are pixel sizes taken at 96 dots per inch, so a surface looks the same on every
// screen (Qt scales the whole window for high DPI): 8.25 pt is 11 pixels, which keeps two bold
// digits inside a 17-pixel day cell.
#pragma once

#include <QFont>
#include <QStringList>
#include <string_view>

#include "platform/widget_table.h"

namespace dnovar {

// The families to ask for, best first.
QStringList font_families(std::string_view face);

// The font of a widget. Every attribute is set explicitly, so a parent's font (a frame's bold
// caption) never leaks into its children.
QFont font_for(const FontSpec& font);

bool same_font(const FontSpec& a, const FontSpec& b);

}  // namespace dnovar
