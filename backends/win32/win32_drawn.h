// Labels and frames without windows of their own: the surface draws them on its own client area,
// as STATIC and group-box BUTTON windows draw themselves. Some fifty labels as child windows would
// cost a window each to make and a WM_PAINT each to show (the day grid alone has 42); drawn, they
// cost one paint of the surface. Both take the label's font and colours as resolved when painting.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/widget_table.h"

namespace dnovar {

struct DrawnLook {
  HFONT font;
  COLORREF fore;  // the text colour (a disabled widget's text is drawn grey instead)
  HBRUSH back;
  bool enabled;
};

// A label: its area filled with the background, the caption wrapped at word breaks and aligned as
// the row says, no access-key prefix, as a STATIC with SS_NOPREFIX draws it.
void draw_label(HDC dc, const RECT& area, std::wstring_view caption, Alignment alignment,
                const DrawnLook& look);

// A frame: an etched rectangle whose top edge runs through the middle of the caption's line, and
// the caption on its background near the left, as a group box draws it ('&' marks an access key).
void draw_frame(HDC dc, const RECT& area, std::wstring_view caption, const DrawnLook& look);

}  // namespace dnovar
