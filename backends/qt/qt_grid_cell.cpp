#include "backends/qt/qt_grid_cell.h"

#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_label_picture.h"
#include "backends/qt/qt_text.h"

namespace dnovar {

namespace {

Qt::Alignment label_alignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Centre:
      return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

}  // namespace

GridCell::GridCell(const WidgetRow& row, WidgetId id, CellGrid& grid, const QRect& rect,
                   const QFont& font, const QFont& bold_font)
    : grid_(grid),
      id_(id),
      rect_(rect),
      alignment_(label_alignment(row.alignment)),
      font_(font),
      bold_font_(bold_font),
      back_colour_(row.back_colour),
      fore_colour_(row.fore_colour),
      bold_(row.font.bold),
      enabled_(row.enabled) {
  store_caption(row.caption);
}

int GridCell::text_flags() const {
  // As a label that wraps its caption at word breaks, which every label of a surface does.
  return label_text_flags(shown_caption_, alignment_, true);
}

void GridCell::repaint() const {
  grid_.cell_changed(*this);
}

bool GridCell::store_caption(std::string_view caption) {
  if (caption == caption_) return false;
  caption_.assign(caption);
  shown_caption_ = qt_text(caption);
  return true;
}

void GridCell::set_caption(std::string_view caption) {
  if (store_caption(caption)) repaint();
}

void GridCell::set_back_colour(Colour colour) {
  if (colour == back_colour_) return;
  back_colour_ = colour;
  repaint();
}

void GridCell::set_fore_colour(Colour colour) {
  if (colour == fore_colour_) return;
  fore_colour_ = colour;
  repaint();
}

void GridCell::set_font_bold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  repaint();
}

void GridCell::set_enabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  repaint();
}

void GridCell::set_text(std::string_view) {
  raise_not_supported();
}
std::string GridCell::text() const {
  raise_not_supported();
}
void GridCell::set_value(Int32) {
  raise_not_supported();
}
Int32 GridCell::value() const {
  raise_not_supported();
}
void GridCell::clear_items() {
  raise_not_supported();
}
void GridCell::add_item(std::string_view) {
  raise_not_supported();
}
int GridCell::list_index() const {
  raise_not_supported();
}
std::vector<std::string> GridCell::items() const {
  raise_not_supported();
}

void GridCell::set_look(std::string_view caption, Colour back, bool bold) {
  bool changed = store_caption(caption);
  changed = changed || back != back_colour_ || bold != bold_;
  back_colour_ = back;
  bold_ = bold;
  if (changed) repaint();
}

}  // namespace dnovar
