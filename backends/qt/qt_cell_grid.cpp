#include "backends/qt/qt_cell_grid.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "backends/qt/qt_colour.h"
#include "backends/qt/qt_font.h"
#include "backends/qt/qt_grid_accessible.h"
#include "backends/qt/qt_grid_cell.h"
#include "backends/qt/qt_label_picture.h"
#include "backends/qt/qt_label_stamp.h"
#include "backends/qt/qt_mouse_label.h"
#include "backends/qt/qt_widget_factory.h"

namespace dnovar {

namespace {

int index_of(const std::vector<int>& values, int value) {
  return static_cast<int>(std::lower_bound(values.begin(), values.end(), value) - values.begin());
}

}  // namespace

// A cell's colours as painted: the palette a label of these colours would have in the grid.
struct CellGrid::CellColours {
  Colour back;
  Colour fore;
  QPalette palette;
};

CellGrid::CellGrid(const LabelGridShape& shape, EventRelay& relay, QWidget* parent)
    : QWidget(parent),
      shape_(shape),
      relay_(relay),
      stamp_(*this),
      places_(shape_.tops.size() * shape_.lefts.size(), nullptr) {
  setGeometry(pixel_rect(shape_.bounds));
  // Moves without a button held are reported too, for the cell under the pointer.
  setMouseTracking(true);
}

CellGrid::~CellGrid() {
  // The cells go before the grid's table of assistive technology, which then finds none.
  std::fill(places_.begin(), places_.end(), nullptr);
  by_index_.clear();
}

GridCell& CellGrid::add_cell(const WidgetRow& row, WidgetId id) {
  // The row's place is relative to the grid's container: the grid's origin is taken off.
  const QRect rect = pixel_rect(row.rect).translated(-pos());
  FontSpec bold = row.font;
  bold.bold = true;
  FontSpec plain = row.font;
  plain.bold = false;
  cells_.push_back(
      std::make_unique<GridCell>(row, id, *this, rect, font_for(plain), font_for(bold)));
  GridCell& made = *cells_.back();
  const int row_index = index_of(shape_.tops, row.rect.top);
  const int column = index_of(shape_.lefts, row.rect.left);
  places_[static_cast<std::size_t>(row_index * column_count() + column)] = &made;
  if (row.index >= 0) {
    const auto index = static_cast<std::size_t>(row.index);
    if (by_index_.size() <= index) by_index_.resize(index + 1, nullptr);
    by_index_[index] = &made;
  }
  return made;
}

GridCell* CellGrid::cell(int row, int column) const {
  if (row < 0 || row >= row_count() || column < 0 || column >= column_count()) return nullptr;
  return places_[static_cast<std::size_t>(row * column_count() + column)];
}

std::pair<int, int> CellGrid::place_of(const GridCell& cell) const {
  const auto found = std::find(places_.begin(), places_.end(), &cell);
  if (found == places_.end()) return {-1, -1};
  const int index = static_cast<int>(found - places_.begin());
  return {index / column_count(), index % column_count()};
}

int CellGrid::position_of(const GridCell& cell) const {
  int position = 0;
  for (const GridCell* each : places_) {
    if (each == &cell) return position;
    if (each != nullptr) ++position;
  }
  return -1;
}

GridCell* CellGrid::cell_at(QPoint point) const {
  for (auto cell = cells_.rbegin(); cell != cells_.rend(); ++cell)
    if ((*cell)->rect().contains(point)) return cell->get();
  return nullptr;
}

GridCell* CellGrid::cell_by_index(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= by_index_.size()) return nullptr;
  return by_index_[static_cast<std::size_t>(index)];
}

void CellGrid::cell_changed(const GridCell& cell) {
  update(cell.rect());
  // The cursor's cell may be renamed with what it shows: a reader hears of it once the control has
  // named it, from the event loop (once, however many changes come before).
  if (name_check_pending_ || &cell != focused_cell() || !QAccessible::isActive()) return;
  name_check_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    name_check_pending_ = false;
    GridCell* focused = focused_cell();
    if (focused == nullptr || focused->accessible_name() == announced_name_) return;
    announced_name_ = focused->accessible_name();
    announce_name_change(*focused);
  });
}

// --- Painting

void CellGrid::changeEvent(QEvent* event) {
  // The colours resolve against the application's palette and are painted by the style.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange ||
      event->type() == QEvent::ApplicationPaletteChange)
    colours_.clear();
  QWidget::changeEvent(event);
}

const CellGrid::CellColours& CellGrid::colours_of(const GridCell& cell) {
  for (const CellColours& colours : colours_)
    if (colours.back == cell.back_colour() && colours.fore == cell.fore_colour()) return colours;
  colours_.push_back({cell.back_colour(), cell.fore_colour(),
                      painted_palette(palette(), cell.back_colour(), QPalette::Window,
                                      cell.fore_colour(), QPalette::WindowText)});
  return colours_.back();
}

void CellGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const qreal ratio = painter.device()->devicePixelRatio();
  const QRect area = event->rect();
  for (const auto& cell : cells_)
    if (cell->rect().intersects(area)) paint_cell(painter, *cell, ratio);
}

void CellGrid::paint_cell(QPainter& painter, const GridCell& cell, qreal pixel_ratio) {
  const CellColours& colours = colours_of(cell);
  const bool enabled = cell.enabled() && isEnabled();
  if (enabled && pictures_fit(pixel_ratio)) {
    // As a label paints itself: a picture of its look, shared by every label that looks alike.
    LabelLook look;
    look.text = cell.shown_caption();
    look.font = cell.font();
    look.back = colours.palette.color(QPalette::Active, QPalette::Window).rgba();
    look.fore = colours.palette.color(QPalette::Active, QPalette::WindowText).rgba();
    look.size = cell.rect().size();
    look.flags = cell.text_flags();
    look.pixel_ratio = pixel_ratio;
    painter.drawPixmap(cell.rect().topLeft(), label_picture(*style(), look));
  } else {
    stamp_.paint(painter, cell.rect(), cell.shown_caption(), cell.font(), colours.palette,
                 cell.alignment(), enabled);
  }
  if (&cell == focused_cell()) paint_focus_frame(painter, cell, colours);
}

void CellGrid::paint_focus_frame(QPainter& painter, const GridCell& cell,
                                 const CellColours& colours) {
  // As the style frames a focused label: the option as the label would make it.
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  if (!cell.enabled()) option.state &= ~QStyle::State_Enabled;
  option.palette = colours.palette;
  option.palette.setCurrentColorGroup(cell.enabled() ? palette().currentColorGroup()
                                                     : QPalette::Disabled);
  // Drawn where the cell's corner is the origin, as the label drew it on itself.
  option.rect = QRect(QPoint(0, 0), cell.rect().size());
  option.backgroundColor = option.palette.color(QPalette::Window);
  painter.save();
  painter.translate(cell.rect().topLeft());
  painter.setClipRect(option.rect);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  painter.restore();
}

// --- Mouse

GridCell* CellGrid::enabled_cell_at(QPoint point) const {
  GridCell* cell = cell_at(point);
  return cell != nullptr && cell->enabled() ? cell : nullptr;
}

void CellGrid::mousePressEvent(QMouseEvent* event) {
  GridCell* cell = enabled_cell_at(event->position().toPoint());
  if (cell == nullptr) {
    // Between the cells: as on the container, which takes no notice.
    event->ignore();
    return;
  }
  event->accept();
  const int button = button_bits(event->button());
  if (button == 0) return;  // back/forward buttons mean nothing to the control
  const WidgetId id = cell->id();
  relay_.deliver([&](WidgetEvents& events) { events.mouse_down(id, button); });
}

void CellGrid::mouseMoveEvent(QMouseEvent* event) {
  // The cell under the pointer, with the buttons held (a drag is read from where it ends).
  GridCell* cell = enabled_cell_at(event->position().toPoint());
  if (cell == nullptr) {
    event->ignore();
    return;
  }
  event->accept();
  const WidgetId id = cell->id();
  const int buttons = button_bits(event->buttons());
  relay_.deliver([&](WidgetEvents& events) { events.mouse_move(id, buttons); });
}

void CellGrid::mouseReleaseEvent(QMouseEvent* event) {
  // The control handles no release; it shows in the next move's button state.
  event->accept();
}

void CellGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  // Qt sends the second press of a double-click as this event. A left double-click is DblClick
  // alone (no second MouseDown); any other button's second press stays a plain press.
  if (event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  GridCell* cell = enabled_cell_at(event->position().toPoint());
  if (cell == nullptr) {
    event->ignore();
    return;
  }
  event->accept();
  const WidgetId id = cell->id();
  relay_.deliver([&](WidgetEvents& events) { events.double_click(id); });
}

// --- Keyboard

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

void CellGrid::set_cursor(int index) {
  if (index == cursor_) return;
  if (GridCell* old = cell_by_index(cursor_)) update(old->rect());
  cursor_ = index;
  if (GridCell* now = cell_by_index(cursor_)) update(now->rect());
  if (!announcing_) announce_cursor();
}

GridCell* CellGrid::focused_cell() const {
  return hasFocus() ? cell_by_index(cursor_) : nullptr;
}

void CellGrid::announce_cursor() {
  GridCell* cell = focused_cell();
  if (cell == nullptr || !QAccessible::isActive()) return;
  announced_name_ = cell->accessible_name();
  announce_focus(*cell);
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
  if (GridCell* cell = cell_by_index(cursor_)) update(cell->rect());
  // Qt tells assistive technology that the grid has the focus once this returns: the cell's turn
  // comes after, from the event loop.
  announcing_ = true;
  QTimer::singleShot(0, this, [this] {
    announcing_ = false;
    announce_cursor();
  });
}

void CellGrid::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (GridCell* cell = cell_by_index(cursor_)) update(cell->rect());
}

}  // namespace dnovar
