#include "backends/win32/win32_widget.h"

#include <commctrl.h>

#include "backends/win32/win32_drawn.h"
#include "backends/win32/win32_surface.h"
#include "backends/win32/win32_text.h"
#include "platform/spin_step.h"

namespace dnovar {

Win32Widget::Win32Widget(const WidgetRow& row, HWND window, Win32Surface& surface, const RECT& area,
                         LookCache& look, int dpi, std::function<void()> notify_value_change)
    : kind_(row.kind),
      window_(window),
      surface_(surface),
      area_(area),
      alignment_(row.alignment),
      look_(look),
      dpi_(dpi),
      font_(row.font),
      caption_(row.caption),
      back_colour_(row.back_colour),
      fore_colour_(row.fore_colour),
      enabled_(row.enabled),
      min_(row.min),
      max_(row.max),
      increment_(row.increment),
      value_(row.value),
      notify_value_change_(std::move(notify_value_change)) {
  if (kind_ == WidgetKind::TextBox) text_field_ = window_;
  if (kind_ == WidgetKind::ComboBox) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(window_, &info)) text_field_ = info.hwndItem;
  }
  if (drawn()) return;
  // A new window paints in full when the surface is shown: no repaint asked for here.
  if (has_look()) apply_font(false);
  if (!enabled_) EnableWindow(window_, FALSE);
}

void Win32Widget::apply_font(bool repaint_now) {
  if (drawn()) return repaint();
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.font(font_, font_.bold, dpi_)),
               repaint_now ? TRUE : FALSE);
}

void Win32Widget::repaint() {
  if (drawn())
    surface_.redraw(*this);
  else
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32Widget::set_caption(std::string_view caption) {
  require(has_caption());
  // Most writes repeat what is there; comparing first keeps a refresh from repainting.
  if (caption_ == caption) return;
  caption_.assign(caption);
  if (drawn())
    repaint();
  else
    SetWindowTextW(window_, wide_text(caption).c_str());
}

std::string Win32Widget::caption() const {
  require(has_caption());
  return caption_;
}

void Win32Widget::set_text(std::string_view text) {
  require(has_text());
  const std::wstring wide = wide_text(text);
  if (kind_ == WidgetKind::ComboBox) {
    // The entry the text names becomes the chosen one; no Click is reported (CB_SETCURSEL sends
    // no notification). The edit field then shows the entry, or nothing when none was named.
    chosen_index_ = find_item(wide);
    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(chosen_index_), 0);
  }
  // Setting the text an edit field already shows would only lay it out and paint it again.
  if (window_text(window_) == text) return;
  SetWindowTextW(window_, wide.c_str());
}

int Win32Widget::find_item(const std::wstring& text) const {
  // CB_FINDSTRINGEXACT ignores case and goes on from the start after the last entry; the first
  // entry that matches exactly is the one.
  int found = static_cast<int>(SendMessageW(window_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(text.c_str())));
  while (found >= 0) {
    if (item_text(found) == text) return found;
    const int next =
        static_cast<int>(SendMessageW(window_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(found),
                                      reinterpret_cast<LPARAM>(text.c_str())));
    if (next <= found) break;
    found = next;
  }
  return -1;
}

std::string Win32Widget::text() const {
  require(has_text());
  return window_text(window_);
}

void Win32Widget::set_back_colour(Colour colour) {
  require(has_look());
  if (colour == back_colour_) return;
  back_colour_ = colour;
  repaint();
}

Colour Win32Widget::back_colour() const {
  require(has_look());
  return back_colour_;
}

void Win32Widget::set_fore_colour(Colour colour) {
  require(has_look());
  if (colour == fore_colour_) return;
  fore_colour_ = colour;
  repaint();
}

Colour Win32Widget::fore_colour() const {
  require(has_look());
  return fore_colour_;
}

void Win32Widget::set_font_bold(bool bold) {
  require(has_look());
  if (bold == font_.bold) return;
  font_.bold = bold;
  apply_font(true);
}

bool Win32Widget::font_bold() const {
  require(has_look());
  return font_.bold;
}

void Win32Widget::set_enabled(bool enabled) {
  if (drawn()) {
    if (enabled != enabled_) repaint();
  } else if (enabled != enabled_) {
    // The window's flag is the widget's: a refresh sets every widget's, mostly to what it was.
    EnableWindow(window_, enabled ? TRUE : FALSE);
  }
  enabled_ = enabled;
}

// The widget's own flag: a disabled surface blocks input to its children without touching it.
bool Win32Widget::enabled() const {
  return enabled_;
}

void Win32Widget::set_value(Int32 value) {
  require(kind_ == WidgetKind::SpinButton);
  if (value == value_) return;
  value_ = value;
  if (notify_value_change_) notify_value_change_();
}

Int32 Win32Widget::value() const {
  require(kind_ == WidgetKind::SpinButton);
  return value_;
}

void Win32Widget::step(bool up) {
  if (const std::optional<Int32> next = spin_step(value_, min_, max_, increment_, up))
    set_value(*next);
}

void Win32Widget::clear_items() {
  require(kind_ == WidgetKind::ComboBox);
  chosen_index_ = -1;
  // An empty list stays as it is (a new control's list is emptied before it is filled).
  if (SendMessageW(window_, CB_GETCOUNT, 0, 0) <= 0) return;
  // CB_RESETCONTENT empties the edit field too; the text stays what it was.
  const std::wstring text = wide_text(window_text(window_));
  SendMessageW(window_, CB_RESETCONTENT, 0, 0);
  SetWindowTextW(window_, text.c_str());
}

void Win32Widget::add_item(std::string_view item) {
  require(kind_ == WidgetKind::ComboBox);
  SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide_text(item).c_str()));
}

std::wstring Win32Widget::item_text(int index) const {
  const LRESULT length = SendMessageW(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(window_, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int Win32Widget::list_index() const {
  require(kind_ == WidgetKind::ComboBox);
  // The current entry while the text names it: typing over it shows none.
  return chosen_index_ >= 0 && item_text(chosen_index_) == wide_text(window_text(window_))
             ? chosen_index_
             : -1;
}

std::vector<std::string> Win32Widget::items() const {
  require(kind_ == WidgetKind::ComboBox);
  const int count = static_cast<int>(SendMessageW(window_, CB_GETCOUNT, 0, 0));
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) entries.push_back(utf8_text(item_text(i)));
  return entries;
}

void Win32Widget::choose(int index) {
  chosen_index_ = index;
  SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (const std::wstring entry = item_text(index); wide_text(window_text(window_)) != entry)
    SetWindowTextW(window_, entry.c_str());
}

void Win32Widget::draw(DrawnText& text) {
  const DrawnLook look{look_.font(font_, font_.bold, dpi_), resolve_colour(fore_colour_),
                       look_.brush(back_colour_), enabled_};
  const std::wstring caption = wide_text(caption_);
  if (kind_ == WidgetKind::Frame)
    draw_frame(text, area_, caption, look);
  else
    draw_label(text, area_, caption, alignment_, look);
}

HBRUSH Win32Widget::paint_colours(HDC dc) {
  SetTextColor(dc, resolve_colour(fore_colour_));
  SetBkColor(dc, resolve_colour(back_colour_));
  return look_.brush(back_colour_);
}

}  // namespace dnovar
