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

// The font, text colour and transparent text of the widgets drawn one after another on one DC,
// put back as they were when it goes. A look's font and colour are selected only when they differ
// from the last widget's: the surface draws some fifty labels in two or three fonts, and under
// Wine each font selected into a window's DC asks the X display's resources for its smoothing.
class DrawnText {
 public:
  explicit DrawnText(HDC dc);
  ~DrawnText();
  DrawnText(const DrawnText&) = delete;
  DrawnText& operator=(const DrawnText&) = delete;

  HDC dc() const { return dc_; }
  // The look's font and text colour (grey for a disabled widget) on the DC.
  void use(const DrawnLook& look);

 private:
  HDC dc_;
  HGDIOBJ old_font_;
  COLORREF old_colour_;
  int old_mode_;
  HFONT font_ = nullptr;
  COLORREF colour_;
};

// A label: its area filled with the background, the caption wrapped at word breaks and aligned as
// the row says, no access-key prefix, as a STATIC with SS_NOPREFIX draws it.
void draw_label(DrawnText& text, const RECT& area, std::wstring_view caption, Alignment alignment,
                const DrawnLook& look);

// A frame: an etched rectangle whose top edge runs through the middle of the caption's line, and
// the caption on its background near the left, as a group box draws it ('&' marks an access key).
void draw_frame(DrawnText& text, const RECT& area, std::wstring_view caption,
                const DrawnLook& look);

}  // namespace dnovar
