// Colours on the Qt side. Widgets keep the 0x00BBGGRR value they were given; a system colour is
// turned into a palette colour only here, when a widget's palette is painted with it.
#pragma once

#include <QColor>
#include <QPalette>

#include "platform/colour.h"

class QWidget;

namespace dnovar {

// An RGB value as itself; a system colour as the matching role of `system` (button face ->
// Button, button text -> ButtonText, window -> Base, window text -> Text, and so on).
QColor resolve_colour(Colour colour, const QPalette& system);

// Paints `widget` with a background and a text colour in the given palette roles. The background
// holds in every state; the text colour only while enabled, so a disabled widget greys its text
// the way the style does.
void paint_colours(QWidget& widget, Colour back, QPalette::ColorRole back_role, Colour fore,
                   QPalette::ColorRole fore_role);

}  // namespace dnovar
