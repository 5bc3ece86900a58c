// How the control looks on Windows: twips at the window's DPI, colours (system colours resolved
// when painting, through GetSysColor), and the fonts the surface table names. Fonts and brushes
// are made once per look and shared by every widget of a toolkit: some 60 child windows use a
// handful of them, and a repaint creates none.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/colour.h"
#include "platform/widget_table.h"

namespace dnovar {

inline constexpr int kTwipsPerInch = 1440;

// The window's dots per inch (GetDpiForWindow where the system has it, else the screen's).
int window_dpi(HWND window);
int twips_to_pixels(int twips, int dpi);
RECT pixel_rect(const TwipRect& rect, int dpi);

// The colour as the screen shows it now: a system colour by its index (the button face for an
// index the system does not know).
COLORREF resolve_colour(Colour colour);

class LookCache {
 public:
  LookCache() = default;
  ~LookCache();
  LookCache(const LookCache&) = delete;
  LookCache& operator=(const LookCache&) = delete;

  // The font `font` names, with `bold` in place of font.bold, at `dpi`.
  HFONT font(const FontSpec& font, bool bold, int dpi);
  // A solid brush of the colour, resolved now.
  HBRUSH brush(Colour colour);

 private:
  using FontKey = std::tuple<std::wstring, int, bool, int, int>;
  std::map<FontKey, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace dnovar
