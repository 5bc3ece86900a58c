#include "backends/win32/win32_look.h"

#include <cmath>

#include "platform/wide_text.h"

namespace dnovar {

namespace {

// GetDpiForWindow came with Windows 10 (1607); older systems scale by the screen's DPI.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn dpi_for_window() {
  static const auto function = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

}  // namespace

int window_dpi(HWND window) {
  if (const GetDpiForWindowFn function = dpi_for_window(); function != nullptr && window != nullptr)
    if (const UINT dpi = function(window); dpi != 0) return static_cast<int>(dpi);
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int twips_to_pixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

RECT pixel_rect(const TwipRect& rect, int dpi) {
  const int left = twips_to_pixels(rect.left, dpi);
  const int top = twips_to_pixels(rect.top, dpi);
  return RECT{left, top, left + twips_to_pixels(rect.width, dpi),
              top + twips_to_pixels(rect.height, dpi)};
}

COLORREF resolve_colour(Colour colour) {
  if (!is_system_colour(colour)) return RGB(red_of(colour), green_of(colour), blue_of(colour));
  const int index = system_colour_index(colour);
  // GetSysColorBrush has no brush for an index the system lacks; neither has its colour a meaning.
  if (GetSysColorBrush(index) == nullptr) return GetSysColor(COLOR_BTNFACE);
  return GetSysColor(index);
}

LookCache::~LookCache() {
  for (const auto& [key, font] : fonts_) DeleteObject(font);
  for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
}

HFONT LookCache::font(const FontSpec& font, bool bold, int dpi) {
  const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  FontKey key{wide_text(font.face), height, bold, font.charset, dpi};
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  const HFONT created =
      CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                  static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, std::get<0>(key).c_str());
  fonts_.emplace(std::move(key), created);
  return created;
}

HBRUSH LookCache::brush(Colour colour) {
  const COLORREF resolved = resolve_colour(colour);
  if (const auto found = brushes_.find(resolved); found != brushes_.end()) return found->second;
  const HBRUSH brush = CreateSolidBrush(resolved);
  brushes_.emplace(resolved, brush);
  return brush;
}

}  // namespace dnovar
