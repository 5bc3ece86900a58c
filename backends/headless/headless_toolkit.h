// The in-memory backend: a real, deterministic toolkit for tests, scripts and servers. Every widget
// property is stored and readable, user input is injected through HeadlessSurface, notifications
// are delivered synchronously, beeps are counted, and what the user does inside a modal form is
// queued beforehand.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backends/headless/headless_widget.h"
#include "platform/modal_action.h"
#include "platform/toolkit.h"

namespace dnovar {

class HeadlessSurface : public Form {
 public:
  HeadlessSurface(const WidgetTable& table, ErrorSink& errors,
                  std::deque<ModalAction>* modal_actions);

  const WidgetTable& table() const override { return table_; }
  HeadlessWidget& widget(WidgetId id) override;
  void set_events(WidgetEvents* events) override { events_ = events; }
  // Disabling the surface while the focus is inside moves the focus off it: focus_left is
  // delivered at once, as a host does for a disabled control.
  void set_enabled(bool enabled) override;
  bool enabled() const override { return enabled_; }

  void show_modal() override;
  void unload() override { loaded_ = false; }
  bool loaded() const override { return loaded_; }

  // User input. Each is delivered only when the surface and the widget are enabled; each
  // notification is one dispatch whose failure goes to the ErrorSink.
  void user_click(WidgetId id);
  void user_choose(WidgetId combo, int index);     // picks list entry `index`, then Click
  void user_spin(WidgetId spin, bool up);          // one arrow step, stopping at Min/Max
  void user_key(WidgetId text_box, int key_code);  // KeyPress, then the box takes what passed
  void user_paste(WidgetId text_box, std::string_view text);  // replaces the text, no KeyPress
  void user_mouse_down(WidgetId id, int button);
  void user_mouse_up(WidgetId id, int button);
  void user_mouse_move(WidgetId id, int buttons);
  void user_double_click(WidgetId id);
  // The focus moves into the surface from another widget of its window, or out of it; a move to
  // where the focus already is notifies nothing, and a disabled surface takes no focus.
  void user_focus_in();
  void user_focus_out();
  bool focus_inside() const { return focus_inside_; }
  // The user tabs onto the day grid: from the table's last tab stop, or from outside the surface
  // (which enters it first). A disabled surface takes no focus.
  void user_focus_grid();
  // A key on the day grid; delivered only while the grid has the focus.
  void user_grid_key(GridKey key, int modifiers);
  bool grid_focused() const { return grid_focused_; }

  void set_grid_cursor(int cell) override { grid_cursor_ = cell; }
  int grid_cursor() const override { return grid_focused_ ? grid_cursor_ : -1; }
  void set_grid_accessible_recipe(const AccessibleRecipe& recipe) override {
    grid_recipe_ = recipe;
  }
  // The day grid's name as its recipe composes it now (empty without one).
  std::string grid_accessible_name() const;

  // Finds a widget by name and array index; error 340 for a missing element, 438 for no such name.
  WidgetId find(std::string_view name, int index = kNoIndex) const;

 private:
  template <typename Handler>
  void deliver(WidgetId id, Handler&& handler);
  bool accepts_input(WidgetId id);

  std::shared_ptr<const WidgetTable> shared_table_;
  const WidgetTable& table_;  // *shared_table_
  ErrorSink& errors_;
  std::vector<std::unique_ptr<HeadlessWidget>> widgets_;
  WidgetEvents* events_ = nullptr;
  bool enabled_ = true;
  bool focus_inside_ = false;
  bool grid_focused_ = false;
  int grid_cursor_ = -1;
  AccessibleRecipe grid_recipe_;
  bool loaded_ = true;
  std::deque<ModalAction>* modal_actions_;
};

class HeadlessToolkit final : public Toolkit {
 public:
  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  void beep() override;

  int beeps() const { return beeps_; }
  void on_beep(std::function<void()> listener) { beep_listener_ = std::move(listener); }
  // Queues what the user does in the next modal form; when the queue runs out, the close box.
  void queue_modal_action(ModalAction action) { modal_actions_.push_back(action); }
  std::size_t pending_modal_actions() const { return modal_actions_.size(); }

 private:
  int beeps_ = 0;
  std::function<void()> beep_listener_;
  std::deque<ModalAction> modal_actions_;
};

}  // namespace dnovar
