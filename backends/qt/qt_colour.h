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

// The WCAG 2 contrast ratio of two colours, 1 (the same luminance) to 21 (black and white).
double contrast_ratio(const QColor& a, const QColor& b);

// Text must stand out from its background by this ratio: WCAG's enhanced level, so that even the
// anti-aliased curves of small glyphs (a "6" at 11 pixels has no full-strength stem) keep the
// minimum of 4.5.
inline constexpr double kReadableContrast = 7.0;
// Disabled text stays readable (the strongest pixels of its glyphs keep 4.5) but stands out less
// than enabled text, so that the two states look different on every background.
inline constexpr double kDisabledContrast = 5.5;

// `text` when it stands out from `back` by `minimum`, otherwise the nearest colour towards black
// or white (whichever contrasts more with `back`) that does.
QColor readable_on(const QColor& text, const QColor& back, double minimum = kReadableContrast);

// Paints `widget` with a background and a text colour in the given palette roles. The background
// holds in every state. The text is the given colour while enabled and the palette's disabled
// text colour while disabled, each made readable on the background (readable_on; disabled text
// to kDisabledContrast only): a dark theme's white text on a cyan cell turns dark. The widget keeps
// the values it was given; only what is drawn changes. The palette sets every role (the others as
// the widget had them) and is made once for all widgets painted alike, whatever instance they
// belong to; a widget whose palette comes out as its parent's takes the parent's. After the
// application's palette changes, a widget is painted again from its parent's (see
// QtWidget::repaint_colours).
void paint_colours(QWidget& widget, Colour back, QPalette::ColorRole back_role, Colour fore,
                   QPalette::ColorRole fore_role);

// The palette `paint_colours` paints a widget with whose palette is `base` (made once for all
// widgets painted alike): for what draws a widget's look without a widget of its own.
QPalette painted_palette(const QPalette& base, Colour back, QPalette::ColorRole back_role,
                         Colour fore, QPalette::ColorRole fore_role);

// The palette painted for every widget of these colours when `palette` equals one in every colour,
// else `palette` itself; either way with `palette`'s current colour group. A style keys the pixmaps
// it caches (button panels, combo boxes) by the palette object, and each widget holds its own copy
// of a palette set on it or on a container; painting with this one shares the pixmaps among all
// widgets that look alike, in every instance.
QPalette shared_palette(const QPalette& palette);

}  // namespace dnovar
