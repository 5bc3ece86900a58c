// What the tests' hosts read of dnovar.ocx and do to it: its properties late-bound, its widgets
// through DnovarInspection, and the user's input as the real window messages Windows sends.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "platform/widget_table.h"

namespace dnovar {

ComVariant property_of(IDispatch& control, const wchar_t* name);
HRESULT put_property(IDispatch& control, const wchar_t* name, VARIANT value);
DATE date_of(IDispatch& control);
// Today as a date without time.
DATE today();

std::string widget_caption(IUnknown& control, WidgetId id);
// The day cell whose caption is `caption`, or -1.
int day_cell_captioned(IUnknown& control, const std::string& caption);
// Any day of this month but today's: its caption.
std::string another_day_of_month();

// The second press of a left double-click on the widget's middle, then the release.
void double_click(IUnknown& control, WidgetId id);
// The button pressed as the mouse presses it: BM_CLICK on its window.
void click_button(IUnknown& control, WidgetId id);
HWND widget_window(IUnknown& control, WidgetId id);
// A left-button drag from one widget to another, released over the second.
void drag(IUnknown& control, WidgetId from, WidgetId to);
// Alt with `key` where the container's message loop offers it to the active object.
void press_alt_key(IUnknown& control, wchar_t key);
// How many pixels of IViewObject::Draw's picture are cyan (the current day's cell).
int cyan_pixels_drawn(IUnknown& control);

}  // namespace dnovar
