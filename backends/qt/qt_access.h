// What a Qt host or a test needs beyond the toolkit's operations. Each takes a surface made by
// QtToolkit; any other surface is an invalid argument (error 5).
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/toolkit.h"

namespace dnovar {

// The root widget, for a host to embed in its window (QWidget::setParent) and show. The surface
// owns it and deletes it when released: release the surface before its host window, or take the
// root out of the window first.
QWidget& surface_root(Surface& surface);

// The Qt widget that shows a widget of the surface, so real events can be sent to it.
QWidget& surface_widget(Surface& surface, WidgetId id);

// A picture of the whole surface as it is painted now, shown or not.
QImage render_surface(Surface& surface);

}  // namespace dnovar
