#include "backends/headless/headless_widget.h"

#include <algorithm>

namespace dnovar {

HeadlessWidget::HeadlessWidget(const WidgetRow& row, std::function<void()> notify_value_change)
    : kind_(row.kind),
      caption_(row.caption),
      back_colour_(row.back_colour),
      fore_colour_(row.fore_colour),
      bold_(row.font.bold),
      enabled_(row.enabled),
      min_(row.min),
      max_(row.max),
      increment_(row.increment),
      value_(row.value),
      notify_value_change_(std::move(notify_value_change)) {}

void HeadlessWidget::set_caption(std::string_view caption) {
  require(has_caption());
  store_caption(caption);
}

void HeadlessWidget::store_caption(std::string_view caption) {
  // Most writes repeat what is there, and most captions are a day number: up to two bytes are
  // compared and copied here one by one, where the library's calls would cost more than the
  // bytes. Both are read first, since `caption` may lie in caption_ itself.
  const std::size_t size = caption.size();
  if (size <= 2) {
    const char first = size > 0 ? caption[0] : '\0';
    const char second = size > 1 ? caption[1] : '\0';
    if (size != caption_.size())
      caption_.resize(size);
    else if ((size < 1 || caption_[0] == first) && (size < 2 || caption_[1] == second))
      return;
    if (size > 0) caption_[0] = first;
    if (size > 1) caption_[1] = second;
    return;
  }
  store_long_caption(caption);
}

void HeadlessWidget::store_long_caption(std::string_view caption) {
  if (std::string_view(caption_) != caption) caption_.assign(caption);
}

void HeadlessWidget::set_look(std::string_view caption, Colour back, bool bold) {
  if (!has_caption()) {
    Widget::set_look(caption, back, bold);  // raises where the separate sets would
    return;
  }
  back_colour_ = back;
  bold_ = bold;
  // A refresh writes a day number ("1".."31") or nothing into every day cell: a caption of the
  // same length is written byte by byte, with no call, so this stays a leaf. Equal lengths mean
  // `caption` is either apart from caption_ or caption_ itself.
  const std::size_t size = caption.size();
  if (size <= 2 && size == caption_.size()) {
    char* stored = caption_.data();
    if (size > 0) stored[0] = caption[0];
    if (size > 1) stored[1] = caption[1];
    return;
  }
  store_caption(caption);
}

std::string HeadlessWidget::caption() const {
  require(has_caption());
  return caption_;
}
void HeadlessWidget::set_text(std::string_view text) {
  require(has_text());
  if (kind_ == WidgetKind::TextBox && caption_.size() == text.size() &&
      std::equal(text.begin(), text.end(), caption_.begin()))
    return;
  // Setting a combo box's text from code reports no click; the entry it names becomes the chosen
  // one.
  caption_.assign(text);
  if (kind_ == WidgetKind::ComboBox) {
    // The last entry that names it.
    current_index_ = -1;
    for (std::size_t i = items_.size(); i > 0; --i)
      if (items_[i - 1] == caption_) {
        current_index_ = static_cast<int>(i - 1);
        break;
      }
  }
}
std::string HeadlessWidget::text() const {
  require(has_text());
  return caption_;
}
void HeadlessWidget::set_back_colour(Colour colour) {
  require(kind_ != WidgetKind::SpinButton);
  back_colour_ = colour;
}
Colour HeadlessWidget::back_colour() const {
  require(kind_ != WidgetKind::SpinButton);
  return back_colour_;
}
void HeadlessWidget::set_fore_colour(Colour colour) {
  require(kind_ != WidgetKind::SpinButton);
  fore_colour_ = colour;
}
Colour HeadlessWidget::fore_colour() const {
  require(kind_ != WidgetKind::SpinButton);
  return fore_colour_;
}
void HeadlessWidget::set_font_bold(bool bold) {
  require(kind_ != WidgetKind::SpinButton);
  bold_ = bold;
}
bool HeadlessWidget::font_bold() const {
  require(kind_ != WidgetKind::SpinButton);
  return bold_;
}
void HeadlessWidget::set_enabled(bool enabled) {
  enabled_ = enabled;
}
bool HeadlessWidget::enabled() const {
  return enabled_;
}

void HeadlessWidget::set_value(Int32 value) {
  require(kind_ == WidgetKind::SpinButton);
  if (value == value_) return;
  value_ = value;
  if (notify_value_change_) notify_value_change_();
}
Int32 HeadlessWidget::value() const {
  require(kind_ == WidgetKind::SpinButton);
  return value_;
}

void HeadlessWidget::clear_items() {
  require(kind_ == WidgetKind::ComboBox);
  items_.clear();
  current_index_ = -1;
}
void HeadlessWidget::add_item(std::string_view item) {
  require(kind_ == WidgetKind::ComboBox);
  items_.emplace_back(item);
}
int HeadlessWidget::list_index() const {
  require(kind_ == WidgetKind::ComboBox);
  const bool shown =
      current_index_ >= 0 && items_[static_cast<std::size_t>(current_index_)] == caption_;
  return shown ? current_index_ : -1;
}
std::vector<std::string> HeadlessWidget::items() const {
  require(kind_ == WidgetKind::ComboBox);
  return items_;
}
void HeadlessWidget::set_text_typed(std::string_view text) {
  require(has_text());
  caption_.assign(text);
}

void HeadlessWidget::append_typed(std::string_view utf8) {
  require(has_text());
  caption_.append(utf8);
}

void HeadlessWidget::erase_last_typed_character() {
  require(has_text());
  while (!caption_.empty() && (static_cast<unsigned char>(caption_.back()) & 0xC0) == 0x80)
    caption_.pop_back();
  if (!caption_.empty()) caption_.pop_back();
}

void HeadlessWidget::choose_item(int index) {
  require(kind_ == WidgetKind::ComboBox);
  if (index < 0 || index >= static_cast<int>(items_.size())) raise_invalid_argument();
  current_index_ = index;
  caption_ = items_[static_cast<std::size_t>(index)];
}

}  // namespace dnovar
