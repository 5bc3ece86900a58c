// A surface (the control's widgets, or a form) on Qt: one Qt widget per table entry under one
// root widget whose size is the table's client area, except a control's labels: one CellGrid
// (qt_cell_grid.h) paints each array of them (the day cells, the weekday names), and one more the
// labels of a container that belong to no array, beneath the container's other widgets. (A form's
// labels stay QLabels: the form fits itself to their texts.)
//
// A control surface's root is a plain widget that its host embeds (see qt_access.h). A form's root
// is a top-level dialog window with the form's caption as title and a close box, no minimise or
// maximise button, a fixed size, and no default or cancel button: Escape does nothing, Alt + an
// access key presses its button, and the close box unloads the form.
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "backends/qt/qt_event_relay.h"
#include "backends/qt/qt_widget.h"
#include "platform/toolkit.h"

class QEventLoop;

namespace dnovar {

class CellGrid;
class SurfaceRoot;

class QtSurface final : public Form {
 public:
  enum class Role { Control, Form };

  QtSurface(const WidgetTable& table, ErrorSink& errors, Role role);
  ~QtSurface() override;
  QtSurface(const QtSurface&) = delete;
  QtSurface& operator=(const QtSurface&) = delete;

  const WidgetTable& table() const override { return table_; }
  Widget& widget(WidgetId id) override;
  // The Qt widget of its own that shows a widget, or null for one a grid paints.
  QtWidget* qt_widget(WidgetId id);
  void set_events(WidgetEvents* events) override { relay_.set_events(events); }
  // Disables the root: Qt then lets no input reach any child, and the children's own flags stay.
  void set_enabled(bool enabled) override;
  bool enabled() const override;
  void set_grid_cursor(int cell) override;
  int grid_cursor() const override;
  void set_grid_accessible_recipe(const AccessibleRecipe& recipe) override;

  // Shows the root as an application-modal window and runs an event loop until unload().
  // Showing a form that is already shown modally is error 400. After unload the Qt widgets stay
  // (hidden) until the form is released, so a handler may still read them.
  void show_modal() override;
  void unload() override;
  bool loaded() const override { return loaded_; }

  QWidget& root() const;

 private:
  void build_widgets(Role role);
  void set_tab_order();
  void take_grid_keys();
  void leave_grid();
  void follow_focus_target();
  void track_focus(QWidget* now);
  bool contains(const QWidget* widget) const;

  std::shared_ptr<const WidgetTable> shared_table_;
  const WidgetTable& table_;  // *shared_table_
  EventRelay relay_;
  // Owned: deleted with the surface, unless a host window holding it was deleted first.
  QPointer<SurfaceRoot> root_;
  // By WidgetId: the Qt widgets' QtWidgets (owned here) and the grids' cells (owned by their
  // grids), and the former again, null for a cell.
  std::vector<std::unique_ptr<QtWidget>> owned_;
  std::vector<Widget*> widgets_;
  std::vector<QtWidget*> qt_widgets_;
  std::vector<QWidget*> tab_order_;  // the widgets that take the focus, in the table's tab order
  QMetaObject::Connection focus_connection_;
  // A control's day grid: the tab stop after the table's last, taking the grid keys.
  QPointer<CellGrid> key_grid_;
  bool enabled_ = true;
  bool focus_inside_ = false;
  bool grid_focused_ = false;
  bool loaded_ = true;
  QEventLoop* modal_loop_ = nullptr;
};

}  // namespace dnovar
