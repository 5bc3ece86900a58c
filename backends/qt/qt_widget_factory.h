// Builds the Qt widget that shows one entry of a surface table.
#pragma once

#include <QRect>
#include <QWidget>

#include "backends/qt/qt_event_relay.h"
#include "platform/widget_table.h"

namespace dnovar {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels at 96 dots per inch, rounded to the nearest pixel; Qt scales for high DPI.
int twips_to_pixels(int twips);
QRect pixel_rect(const TwipRect& rect);

// A widget of `row.kind` in `parent`, placed, sized and with its font; its content and colours
// are the QtWidget's to set. Its notifications go through `relay` under `id`.
QWidget& create_qt_widget(const WidgetRow& row, WidgetId id, QWidget& parent, EventRelay& relay);

}  // namespace dnovar
