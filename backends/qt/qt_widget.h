// One widget of a Qt surface: the toolkit's operations over the Qt widget that shows it.
// Captions, colours, boldness and the enabled flag are kept here as they were set; text, value
// and list live in the Qt widget, where the user changes them. Operations the kind lacks raise
// error 438, as on every backend.
#pragma once

#include <QWidget>
#include <string>

#include "platform/toolkit.h"

namespace dnovar {

class ListCombo;
class SpinArrows;

class QtWidget final : public Widget {
 public:
  // `widget` belongs to the surface's Qt tree; the initial look and content come from `row`.
  QtWidget(const WidgetRow& row, QWidget& widget);

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
  // The three sets one after the other; Qt paints what they leave once, at its next paint.
  void set_look(std::string_view caption, Colour back, bool bold) override {
    Widget::set_look(caption, back, bold);
  }
  void set_value(Int32 value) override;
  Int32 value() const override;
  void clear_items() override;
  void add_item(std::string_view item) override;
  int list_index() const override;
  std::vector<std::string> items() const override;
  // Also the Qt widget's accessibleName and accessibleDescription.
  void set_accessible_text(std::string_view name, std::string_view description) override;

  WidgetKind kind() const { return kind_; }
  QWidget& qt_widget() const { return widget_; }
  // Paints the colours again from the application's palette, after it has changed: from the
  // palette the widget inherits now, since its own sets every role. Parents first.
  void repaint_colours() const {
    if (!has_look()) return;
    widget_.setPalette(QPalette());
    paint();
  }

 private:
  void require(bool supported) const;
  bool has_caption() const;
  bool has_text() const;
  bool has_look() const { return kind_ != WidgetKind::SpinButton; }
  void paint() const;
  ListCombo& combo() const;
  SpinArrows& spinner() const;

  WidgetKind kind_;
  QWidget& widget_;
  std::string caption_;
  Colour back_colour_;
  Colour fore_colour_;
  bool bold_;
  bool enabled_;
};

}  // namespace dnovar
