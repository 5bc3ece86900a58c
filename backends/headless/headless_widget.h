// A widget that keeps every property in memory. Operations its kind lacks raise error 438.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace dnovar {

class HeadlessWidget final : public Widget {
 public:
  // `notify_value_change` runs inside set_value when the value really changes.
  HeadlessWidget(const WidgetRow& row, std::function<void()> notify_value_change);

  void set_caption(std::string_view caption) override;
  std::string caption() const override;
  void set_text(std::string_view text) override;
  std::string text() const override;
  void set_back_colour(Colour colour) override;
  Colour back_colour() const override;
  void set_fore_colour(Colour colour) override;
  Colour fore_colour() const override;
  void set_font_bold(bool bold) override;
  bool font_bold() const override;
  void set_look(std::string_view caption, Colour back, bool bold) override;
  void set_enabled(bool enabled) override;
  bool enabled() const override;
  void set_value(Int32 value) override;
  Int32 value() const override;
  void clear_items() override;
  void add_item(std::string_view item) override;
  int list_index() const override;
  std::vector<std::string> items() const override;
  // Kept for whoever reads them; there is no platform to hand them to.
  void set_accessible_text(std::string_view name, std::string_view description) override {
    Widget::set_accessible_text(name, description);
  }

  WidgetKind kind() const { return kind_; }
  // The text and the list without a copy, for the typing that reads them on every key.
  std::string_view text_view() const { return caption_; }
  const std::vector<std::string>& item_list() const { return items_; }
  Int32 min() const { return min_; }
  Int32 max() const { return max_; }
  Int32 increment() const { return increment_; }
  // The user picks list entry `index` (the text follows the entry).
  void choose_item(int index);
  int current_index() const { return current_index_; }
  // The user's typing or pasting; a combo box keeps its current entry. Typing changes the text
  // in place, so a long text costs nothing per key.
  void set_text_typed(std::string_view text);
  void append_typed(std::string_view utf8);
  void erase_last_typed_character();  // the last code point, as Backspace at the end does

 private:
  void store_caption(std::string_view caption);
  // Apart, so that the short captions' path stays small.
  [[gnu::noinline]] void store_long_caption(std::string_view caption);
  bool has_caption() const {
    return kind_ == WidgetKind::Label || kind_ == WidgetKind::Frame ||
           kind_ == WidgetKind::CommandButton;
  }
  bool has_text() const { return kind_ == WidgetKind::TextBox || kind_ == WidgetKind::ComboBox; }
  void require(bool supported) const {
    if (!supported) raise_not_supported();
  }

  WidgetKind kind_;
  std::string caption_;
  Colour back_colour_;
  Colour fore_colour_;
  bool bold_;
  bool enabled_;
  Int32 min_, max_, increment_, value_;
  std::vector<std::string> items_;
  // The entry last chosen (or named by a text set from code). Typing leaves it, as a toolkit's
  // combo box does; ListIndex shows it only while the text still names it.
  int current_index_ = -1;
  std::function<void()> notify_value_change_;
};

}  // namespace dnovar
