// What a Qt host or a test needs beyond the toolkit's operations. Each takes a surface made by
// QtToolkit; any other surface is an invalid argument (error 5).
#pragma once

#include <QAccessibleInterface>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QWidget>

#include "platform/toolkit.h"

namespace dnovar {

// The root widget, for a host to embed in its window (QWidget::setParent) and show. The surface
// owns it and deletes it when released: release the surface before its host window, or take the
// root out of the window first.
QWidget& surface_root(Surface& surface);

// The Qt widget that shows a widget of the surface, so real events can be sent to it. A label of
// a grid (a day cell) has none (error 5): see shown_area.
QWidget& surface_widget(Surface& surface, WidgetId id);

// Where a widget of the surface is shown: the Qt widget that paints it and the rectangle it takes
// there, in that widget's coordinates. A widget with a Qt widget of its own takes all of it; a
// label of a grid (a day cell) is a rectangle of the grid that paints them all, which also takes
// the mouse for it.
struct ShownArea {
  QWidget& widget;
  QRect rect;
};
ShownArea shown_area(Surface& surface, WidgetId id);

// The font a widget of the surface is drawn in.
QFont shown_font(Surface& surface, WidgetId id);

// What assistive technology finds for a widget of the surface.
QAccessibleInterface* surface_accessible(Surface& surface, WidgetId id);

// A picture of the whole surface as it is painted now, shown or not.
QImage render_surface(Surface& surface);

}  // namespace dnovar
