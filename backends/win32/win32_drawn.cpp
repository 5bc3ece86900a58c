#include "backends/win32/win32_drawn.h"

#include <algorithm>

namespace dnovar {

namespace {

UINT label_format(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return DT_RIGHT;
    case Alignment::Centre:
      return DT_CENTER;
    case Alignment::Left:
      break;
  }
  return DT_LEFT;
}

int text_length(std::wstring_view text) {
  return static_cast<int>(text.size());
}

}  // namespace

DrawnText::DrawnText(HDC dc)
    : dc_(dc),
      old_font_(GetCurrentObject(dc, OBJ_FONT)),
      old_colour_(GetTextColor(dc)),
      old_mode_(SetBkMode(dc, TRANSPARENT)),
      colour_(old_colour_) {}

DrawnText::~DrawnText() {
  SetBkMode(dc_, old_mode_);
  if (colour_ != old_colour_) SetTextColor(dc_, old_colour_);
  if (font_ != nullptr) SelectObject(dc_, old_font_);
}

void DrawnText::use(const DrawnLook& look) {
  if (look.font != font_) {
    SelectObject(dc_, look.font);
    font_ = look.font;
  }
  const COLORREF colour = look.enabled ? look.fore : GetSysColor(COLOR_GRAYTEXT);
  if (colour != colour_) {
    SetTextColor(dc_, colour);
    colour_ = colour;
  }
}

void draw_label(DrawnText& text, const RECT& area, std::wstring_view caption, Alignment alignment,
                const DrawnLook& look) {
  const HDC dc = text.dc();
  FillRect(dc, &area, look.back);
  if (caption.empty()) return;
  text.use(look);
  RECT box = area;
  DrawTextW(dc, caption.data(), text_length(caption), &box,
            label_format(alignment) | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
}

void draw_frame(DrawnText& text, const RECT& area, std::wstring_view caption,
                const DrawnLook& look) {
  const HDC dc = text.dc();
  text.use(look);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT edge = area;
  edge.top += metrics.tmHeight / 2 - 1;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  // The caption 7 pixels in from the sides, on its own background one pixel wider each way.
  RECT label = area;
  InflateRect(&label, -7, 1);
  constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE;
  DrawTextW(dc, caption.data(), text_length(caption), &label, kFormat | DT_CALCRECT);
  label.right = std::min(label.right, area.right - 7);
  RECT background{label.left - 1, label.top, label.right + 1, label.bottom + 1};
  FillRect(dc, &background, look.back);
  DrawTextW(dc, caption.data(), text_length(caption), &label, kFormat);
}

}  // namespace dnovar
