#include "backends/qt/qt_cell_grid.h"

#include <QAccessible>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "backends/qt/qt_mouse_label.h"
#include "backends/qt/qt_widget_factory.h"

namespace dnovar {

namespace {

int position_of(const std::vector<int>& values, int value) {
  return static_cast<int>(std::lower_bound(values.begin(), values.end(), value) - values.begin());
}

}  // namespace

CellGrid::CellGrid(const LabelGridShape& shape, QWidget* parent)
    : QWidget(parent), shape_(shape), cells_(shape_.tops.size() * shape_.lefts.size(), nullptr) {
  setGeometry(pixel_rect(shape_.bounds));
}

void CellGrid::adopt(QWidget& label, const WidgetRow& row) {
  // Created in the grid, the label was placed relative to its container: the grid's origin is
  // taken off, so it stands where the table puts it.
  label.setGeometry(pixel_rect(row.rect).translated(-pos()));
  const int row_index = position_of(shape_.tops, row.rect.top);
  const int column = position_of(shape_.lefts, row.rect.left);
  cells_[static_cast<std::size_t>(row_index * column_count() + column)] = &label;
  if (row.index < 0) return;
  const auto index = static_cast<std::size_t>(row.index);
  if (by_index_.size() <= index) by_index_.resize(index + 1, nullptr);
  by_index_[index] = &label;
}

QWidget* CellGrid::cell(int row, int column) const {
  if (row < 0 || row >= row_count() || column < 0 || column >= column_count()) return nullptr;
  return cells_[static_cast<std::size_t>(row * column_count() + column)];
}

std::optional<std::pair<int, int>> CellGrid::place_of(const QWidget* label) const {
  for (std::size_t i = 0; i < cells_.size(); ++i)
    if (cells_[i] == label) {
      const int index = static_cast<int>(i);
      return std::pair{index / column_count(), index % column_count()};
    }
  return std::nullopt;
}

namespace {

// Each grid key and the Qt key that presses it; the keypad's Enter is Enter too.
constexpr std::pair<GridKey, int> kQtGridKeys[] = {
    {GridKey::Up, Qt::Key_Up},        {GridKey::Down, Qt::Key_Down},
    {GridKey::Left, Qt::Key_Left},    {GridKey::Right, Qt::Key_Right},
    {GridKey::Home, Qt::Key_Home},    {GridKey::End, Qt::Key_End},
    {GridKey::Enter, Qt::Key_Return}, {GridKey::Enter, Qt::Key_Enter},
    {GridKey::Space, Qt::Key_Space},
};

}  // namespace

std::optional<GridKey> grid_key_of(int qt_key) {
  for (const auto& [grid_key, key] : kQtGridKeys)
    if (key == qt_key) return grid_key;
  return std::nullopt;
}

int qt_key_of(GridKey grid_key) {
  for (const auto& [each, key] : kQtGridKeys)
    if (each == grid_key) return key;
  return Qt::Key_unknown;
}

void CellGrid::take_keys(std::function<void(GridKey, int)> on_key) {
  on_key_ = std::move(on_key);
  setFocusPolicy(Qt::TabFocus);
}

QWidget* CellGrid::label_at(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= by_index_.size()) return nullptr;
  return by_index_[static_cast<std::size_t>(index)];
}

void CellGrid::set_cursor(int index) {
  show_cursor(false);
  cursor_ = index;
  show_cursor(hasFocus());
  if (QWidget* cell = focused_cell()) {
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
  }
}

QWidget* CellGrid::focused_cell() const {
  return hasFocus() ? label_at(cursor_) : nullptr;
}

void CellGrid::show_cursor(bool shown) {
  if (auto* label = dynamic_cast<MouseLabel*>(label_at(cursor_))) label->set_keyboard_cursor(shown);
}

void CellGrid::keyPressEvent(QKeyEvent* event) {
  const std::optional<GridKey> key = grid_key_of(event->key());
  if (!key || !on_key_) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  int modifiers = 0;
  if (event->modifiers() & Qt::ShiftModifier) modifiers |= kShiftHeld;
  if (event->modifiers() & Qt::ControlModifier) modifiers |= kCtrlHeld;
  on_key_(*key, modifiers);
}

void CellGrid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  show_cursor(true);
}

void CellGrid::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  show_cursor(false);
}

}  // namespace dnovar
