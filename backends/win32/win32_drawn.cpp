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

// Selects the look's font and text colour on `dc` for one widget's drawing, and back after.
class TextLook {
 public:
  TextLook(HDC dc, const DrawnLook& look)
      : dc_(dc),
        font_(SelectObject(dc, look.font)),
        colour_(SetTextColor(dc, look.enabled ? look.fore : GetSysColor(COLOR_GRAYTEXT))),
        mode_(SetBkMode(dc, TRANSPARENT)) {}
  ~TextLook() {
    SetBkMode(dc_, mode_);
    SetTextColor(dc_, colour_);
    SelectObject(dc_, font_);
  }
  TextLook(const TextLook&) = delete;
  TextLook& operator=(const TextLook&) = delete;

 private:
  HDC dc_;
  HGDIOBJ font_;
  COLORREF colour_;
  int mode_;
};

int text_length(std::wstring_view text) {
  return static_cast<int>(text.size());
}

}  // namespace

void draw_label(HDC dc, const RECT& area, std::wstring_view caption, Alignment alignment,
                const DrawnLook& look) {
  FillRect(dc, &area, look.back);
  if (caption.empty()) return;
  const TextLook text(dc, look);
  RECT box = area;
  DrawTextW(dc, caption.data(), text_length(caption), &box,
            label_format(alignment) | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
}

void draw_frame(HDC dc, const RECT& area, std::wstring_view caption, const DrawnLook& look) {
  const TextLook text(dc, look);
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
