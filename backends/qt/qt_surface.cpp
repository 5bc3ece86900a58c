#include "backends/qt/qt_surface.h"

#include <QApplication>
#include <QEventLoop>
#include <algorithm>

#include "backends/qt/qt_accessibility.h"
#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_font.h"
#include "backends/qt/qt_form_fit.h"
#include "backends/qt/qt_grid_cell.h"
#include "backends/qt/qt_surface_root.h"
#include "backends/qt/qt_widget_factory.h"

namespace dnovar {

namespace {

void insert_sorted(std::vector<int>& values, int value) {
  const auto at = std::lower_bound(values.begin(), values.end(), value);
  if (at == values.end() || *at != value) values.insert(at, value);
}

// Adds to `arrays` the shape of each container's labels that belong to no array (by container,
// with no name), so that one widget paints them.
void add_loose_labels(const WidgetTable& table, std::vector<LabelGridShape>& arrays) {
  const std::size_t array_count = arrays.size();
  for (const WidgetRow& row : table.widgets) {
    if (row.kind != WidgetKind::Label) continue;
    const auto in_array = [&](const LabelGridShape& a) { return a.name == row.name; };
    if (row.index != kNoIndex &&
        std::any_of(arrays.begin(), arrays.begin() + static_cast<std::ptrdiff_t>(array_count),
                    in_array))
      continue;
    auto loose =
        std::find_if(arrays.begin() + static_cast<std::ptrdiff_t>(array_count), arrays.end(),
                     [&](const LabelGridShape& a) { return a.parent == row.parent; });
    if (loose == arrays.end()) {
      arrays.push_back({"", row.parent, {}, {}, row.rect});
      loose = arrays.end() - 1;
    }
    TwipRect& b = loose->bounds;
    const int right = std::max(b.left + b.width, row.rect.left + row.rect.width);
    const int bottom = std::max(b.top + b.height, row.rect.top + row.rect.height);
    b.left = std::min(b.left, row.rect.left);
    b.top = std::min(b.top, row.rect.top);
    b.width = right - b.left;
    b.height = bottom - b.top;
    insert_sorted(loose->tops, row.rect.top);
    insert_sorted(loose->lefts, row.rect.left);
  }
}

bool takes_focus(WidgetKind kind) {
  return kind == WidgetKind::TextBox || kind == WidgetKind::ComboBox ||
         kind == WidgetKind::CommandButton || kind == WidgetKind::SpinButton;
}

}  // namespace

QtSurface::QtSurface(const WidgetTable& table, ErrorSink& errors, Role role)
    : shared_table_(shared_table(table)),
      table_(*shared_table_),
      relay_(errors),
      root_(new SurfaceRoot) {
  install_accessibility();
  root_->setFixedSize(twips_to_pixels(table_.width), twips_to_pixels(table_.height));
  root_->setFont(font_for(FontSpec{}));
  root_->keep_font(font_for(FontSpec{}));
  if (role == Role::Form) {
    root_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    root_->setWindowTitle(QString::fromStdString(table_.caption));
    // Closing a dialog must not end the application when it happens to be the last window.
    root_->setAttribute(Qt::WA_QuitOnClose, false);
    root_->on_close([this] { unload(); });
  }
  try {
    build_widgets(role);
  } catch (...) {
    delete root_.data();
    throw;
  }
  set_tab_order();
  if (role == Role::Form) fit_form_to_text(*root_);
  if (role == Role::Control) {
    take_grid_keys();
    for (QWidget* widget : tab_order_) root_->watch(*widget);
    root_->on_enabled_change([this] { follow_focus_target(); });
    follow_focus_target();
  }
  root_->on_palette_change([this] {
    for (const auto& widget : owned_) widget->repaint_colours();
  });
  focus_connection_ = QObject::connect(qApp, &QApplication::focusChanged, root_.data(),
                                       [this](QWidget*, QWidget* now) { track_focus(now); });
}

QtSurface::~QtSurface() {
  // Deleting focused widgets moves the focus; nothing of that is news for the control.
  QObject::disconnect(focus_connection_);
  relay_.set_events(nullptr);
  // A form released while shown ends its modal loop; show_modal touches nothing after it.
  if (modal_loop_ != nullptr) modal_loop_->quit();
  // The root goes first, with the grids and their cells.
  delete root_.data();
  widgets_.clear();
  qt_widgets_.clear();
  owned_.clear();
}

void QtSurface::build_widgets(Role role) {
  // Every array of labels in one container is painted by one widget (a grid of them, the day
  // cells, is also a table for assistive technology); so are a container's other labels.
  std::vector<LabelGridShape> grids;
  if (role == Role::Control) {
    grids = find_label_arrays(table_);
    add_loose_labels(table_, grids);
  }
  std::vector<CellGrid*> grid_widgets(grids.size(), nullptr);
  widgets_.reserve(table_.widgets.size());
  qt_widgets_.reserve(table_.widgets.size());
  for (std::size_t i = 0; i < table_.widgets.size(); ++i) {
    const WidgetRow& entry = table_.widgets[i];
    const WidgetId id{static_cast<int>(i)};
    QWidget* parent = root_.data();
    if (entry.parent != kNoParent) {
      // A container comes before what it holds, and only a frame holds widgets.
      const auto container = static_cast<std::size_t>(entry.parent);
      if (entry.parent < 0 || container >= i || qt_widgets_[container] == nullptr ||
          qt_widgets_[container]->kind() != WidgetKind::Frame)
        raise_invalid_argument();
      parent = &qt_widgets_[container]->qt_widget();
    }
    // The arrays come first, then each container's loose labels (nameless).
    const auto grid = std::find_if(grids.begin(), grids.end(), [&](const LabelGridShape& g) {
      if (entry.kind != WidgetKind::Label) return false;
      if (g.name.empty()) return g.parent == entry.parent;
      return entry.index != kNoIndex && g.name == entry.name;
    });
    if (grid != grids.end()) {
      CellGrid*& cells = grid_widgets[static_cast<std::size_t>(grid - grids.begin())];
      if (cells == nullptr) {
        cells = new CellGrid(*grid, relay_, parent);
        // The loose labels' widget spans the others': it stays beneath them.
        if (grid->name.empty()) cells->lower();
      }
      widgets_.push_back(&cells->add_cell(entry, id));
      qt_widgets_.push_back(nullptr);
      continue;
    }
    QWidget& created = create_qt_widget(entry, id, *parent, relay_);
    owned_.push_back(std::make_unique<QtWidget>(entry, created));
    widgets_.push_back(owned_.back().get());
    qt_widgets_.push_back(owned_.back().get());
  }
}

void QtSurface::set_tab_order() {
  std::vector<std::size_t> focusable;
  for (std::size_t i = 0; i < table_.widgets.size(); ++i)
    if (takes_focus(table_.widgets[i].kind)) focusable.push_back(i);
  std::stable_sort(focusable.begin(), focusable.end(), [this](std::size_t a, std::size_t b) {
    return table_.widgets[a].tab_index < table_.widgets[b].tab_index;
  });
  for (std::size_t k = 1; k < focusable.size(); ++k)
    QWidget::setTabOrder(&qt_widgets_[focusable[k - 1]]->qt_widget(),
                         &qt_widgets_[focusable[k]]->qt_widget());
  for (std::size_t i : focusable) tab_order_.push_back(&qt_widgets_[i]->qt_widget());
}

void QtSurface::take_grid_keys() {
  // A CellGrid has no meta-object of its own, so Qt's findChild cannot tell it from any widget.
  for (QWidget* child : root_->findChildren<QWidget*>()) {
    auto* grid = dynamic_cast<CellGrid*>(child);
    if (grid != nullptr && grid->is_table()) {
      key_grid_ = grid;
      break;
    }
  }
  if (key_grid_ == nullptr) return;
  key_grid_->take_keys([this](GridKey key, int modifiers) {
    relay_.deliver([&](WidgetEvents& events) { events.grid_key(key, modifiers); });
  });
  if (!tab_order_.empty()) QWidget::setTabOrder(tab_order_.back(), key_grid_.data());
}

void QtSurface::set_grid_cursor(int cell) {
  if (key_grid_ != nullptr) key_grid_->set_cursor(cell);
}

void QtSurface::set_grid_accessible_recipe(const AccessibleRecipe& recipe) {
  if (key_grid_ != nullptr) key_grid_->set_accessible_recipe(recipe);
}

int QtSurface::grid_cursor() const {
  return key_grid_ != nullptr && key_grid_->hasFocus() ? key_grid_->cursor() : -1;
}

void QtSurface::leave_grid() {
  if (!grid_focused_) return;
  grid_focused_ = false;
  relay_.deliver([](WidgetEvents& events) { events.grid_focus_left(); });
}

// A host gives the control the focus as one widget (setFocus, a buddy label, Tab from its own
// fields): the control's first widget in tab order that can take it has it, as in Qt's own
// composite widgets. When none can, the surface takes the focus itself, so the control still
// learns that it has the focus.
void QtSurface::follow_focus_target() {
  const auto can_focus = [this](QWidget* widget) { return widget->isEnabledTo(root_.data()); };
  const auto first = std::find_if(tab_order_.begin(), tab_order_.end(), can_focus);
  // Qt hands a new focus policy on to the focus proxy: the policy is set while there is none.
  root_->setFocusProxy(nullptr);
  root_->setFocusPolicy(first != tab_order_.end() ? Qt::NoFocus : Qt::StrongFocus);
  if (first != tab_order_.end()) root_->setFocusProxy(*first);
}

Widget& QtSurface::widget(WidgetId id) {
  if (id.value < 0 || static_cast<std::size_t>(id.value) >= widgets_.size())
    raise_no_such_element(id.value);
  return *widgets_[static_cast<std::size_t>(id.value)];
}

QtWidget* QtSurface::qt_widget(WidgetId id) {
  widget(id);  // error 340 for an id the surface lacks
  return qt_widgets_[static_cast<std::size_t>(id.value)];
}

QWidget& QtSurface::root() const {
  return *root_;
}

void QtSurface::set_enabled(bool enabled) {
  enabled_ = enabled;
  // Qt moves the focus off the disabled widgets: out of the surface (track_focus tells the
  // control), or nowhere. Either way the control has lost it, as a host takes the focus off a
  // disabled control.
  root_->setEnabled(enabled);
  if (!enabled) leave_grid();
  if (!enabled && focus_inside_) {
    focus_inside_ = false;
    relay_.deliver([](WidgetEvents& events) { events.focus_left(); });
  }
}
bool QtSurface::enabled() const {
  return enabled_;
}

bool QtSurface::contains(const QWidget* widget) const {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
    if (w == root_.data()) return true;
  return false;
}

void QtSurface::track_focus(QWidget* now) {
  // No focus widget means the window was deactivated or the focus is in transit; where it lands
  // next decides. The focus only counts as moved when it reaches another widget of the window the
  // surface is in: a dialog, a popup or another application's window takes the focus of the
  // application, not of the window, and gives it back where it was.
  if (now == nullptr || root_ == nullptr || now->window() != root_->window()) return;
  const bool on_grid = key_grid_ != nullptr && now == key_grid_.data();
  if (!on_grid) leave_grid();
  const bool inside = contains(now);
  if (inside != focus_inside_) {
    focus_inside_ = inside;
    relay_.deliver([inside](WidgetEvents& events) {
      if (inside)
        events.focus_entered();
      else
        events.focus_left();
    });
  }
  if (on_grid && !grid_focused_) {
    grid_focused_ = true;
    relay_.deliver([](WidgetEvents& events) { events.grid_focus_entered(); });
  }
}

void QtSurface::show_modal() {
  if (modal_loop_ != nullptr)
    throw RuntimeError(error_number::form_already_shown,
                       "Form already displayed; can't show modally");
  loaded_ = true;
  QEventLoop loop;
  modal_loop_ = &loop;
  root_->setWindowModality(Qt::ApplicationModal);
  root_->show();
  root_->activateWindow();
  loop.exec(QEventLoop::DialogExec);
  // Nothing of `this` is used from here on: a handler inside the loop may have released the form.
}

void QtSurface::unload() {
  if (!loaded_) return;
  loaded_ = false;
  if (root_ != nullptr) root_->hide();
  if (modal_loop_ != nullptr) {
    modal_loop_->quit();
    modal_loop_ = nullptr;
  }
}

}  // namespace dnovar
