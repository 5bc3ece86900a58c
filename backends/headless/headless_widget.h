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
  void set_enabled(bool enabled) override;
  bool enabled() const override;
  void set_value(Int32 value) override;
  Int32 value() const override;
  void clear_items() override;
  void add_item(std::string_view item) override;
  int list_index() const override;
  std::vector<std::string> items() const override;

  WidgetKind kind() const { return kind_; }
  Int32 min() const { return min_; }
  Int32 max() const { return max_; }
  Int32 increment() const { return increment_; }
  // The user picks list entry `index` (the text follows the entry).
  void choose_item(int index);
  // The user's typing or pasting: a combo box's text then names no chosen entry.
  void set_text_typed(std::string_view text);

 private:
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
  int list_index_ = -1;
  std::function<void()> notify_value_change_;
};

}  // namespace dnovar
