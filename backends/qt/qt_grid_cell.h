// A label of a day grid (CellGrid): no Qt widget of its own, only what the grid paints it from.
// Its caption, colours (stored unresolved), boldness and enabled flag are kept here; each change
// asks the grid to paint the cell's rectangle again. Its accessible texts stay with the base and
// are composed when assistive technology asks for them (the grid's accessible table reads them),
// so a refresh that renames every cell costs no more than storing their recipes.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace dnovar {

class CellGrid;

class GridCell final : public Widget {
 public:
  // A cell of `grid` for `row`, at `rect` in the grid's coordinates; `font` is the row's.
  GridCell(const WidgetRow& row, WidgetId id, CellGrid& grid, const QRect& rect, const QFont& font,
           const QFont& bold_font);

  void set_caption(std::string_view caption) override;
  std::string caption() const override { return caption_; }
  void set_back_colour(Colour colour) override;
  Colour back_colour() const override { return back_colour_; }
  void set_fore_colour(Colour colour) override;
  Colour fore_colour() const override { return fore_colour_; }
  void set_font_bold(bool bold) override;
  bool font_bold() const override { return bold_; }
  void set_enabled(bool enabled) override;
  bool enabled() const override { return enabled_; }
  void set_look(std::string_view caption, Colour back, bool bold) override;
  // A label has no text, value or list (error 438, as on every backend).
  void set_text(std::string_view text) override;
  std::string text() const override;
  void set_value(Int32 value) override;
  Int32 value() const override;
  void clear_items() override;
  void add_item(std::string_view item) override;
  int list_index() const override;
  std::vector<std::string> items() const override;
  // Kept until assistive technology reads them (through the grid's table); nothing is handed on.
  void set_accessible_text(std::string_view name, std::string_view description) override {
    Widget::set_accessible_text(name, description);
  }

  WidgetId id() const { return id_; }
  CellGrid& grid() const { return grid_; }
  // Where the grid paints the cell, in the grid's coordinates.
  const QRect& rect() const { return rect_; }
  // The caption as Qt draws it, and the flags it is drawn with (qt_label_picture.h).
  const QString& shown_caption() const { return shown_caption_; }
  int text_flags() const;
  Qt::Alignment alignment() const { return alignment_; }
  const QFont& font() const { return bold_ ? bold_font_ : font_; }

 private:
  // Caption and flags apart, so that a refresh that changes nothing costs a comparison each.
  bool store_caption(std::string_view caption);
  void repaint() const;

  CellGrid& grid_;
  WidgetId id_;
  QRect rect_;
  Qt::Alignment alignment_;
  // Shared with every cell of the font (QFont is implicitly shared).
  QFont font_;
  QFont bold_font_;
  std::string caption_;
  QString shown_caption_;
  Colour back_colour_;
  Colour fore_colour_;
  bool bold_;
  bool enabled_;
};

}  // namespace dnovar
