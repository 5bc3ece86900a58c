#include "host/activex/control_toolkit.h"

#include "host/activex/object_hold.h"

namespace dnovar {

namespace {

// Passes the notifications on, each with the control held; the user's input only while the
// control takes it, and the focus ones to the container as well.
class ListenedEvents final : public WidgetEvents {
 public:
  ListenedEvents(WidgetEvents& inner, SurfaceListener& listener)
      : inner_(inner), listener_(listener) {}
  void click(WidgetId id) override {
    input([&] { inner_.click(id); });
  }
  void value_changed(WidgetId id) override {
    input([&] { inner_.value_changed(id); });
  }
  void key_press(WidgetId id, int& key_code) override {
    // A key no handler sees is not typed either.
    if (!listener_.takes_input()) {
      key_code = 0;
      return;
    }
    input([&] { inner_.key_press(id, key_code); });
  }
  void mouse_down(WidgetId id, int button) override {
    input([&] { inner_.mouse_down(id, button); });
  }
  void mouse_move(WidgetId id, int buttons) override {
    input([&] { inner_.mouse_move(id, buttons); });
  }
  void double_click(WidgetId id) override {
    input([&] { inner_.double_click(id); });
  }
  void focus_entered() override {
    const ObjectHold hold(listener_.holder());
    inner_.focus_entered();
    listener_.focus_changed(true);
  }
  void focus_left() override {
    const ObjectHold hold(listener_.holder());
    inner_.focus_left();
    listener_.focus_changed(false);
  }
  void grid_focus_entered() override {
    const ObjectHold hold(listener_.holder());
    inner_.grid_focus_entered();
  }
  void grid_focus_left() override {
    const ObjectHold hold(listener_.holder());
    inner_.grid_focus_left();
  }
  void grid_key(GridKey key, int modifiers) override {
    input([&] { inner_.grid_key(key, modifiers); });
  }

 private:
  template <typename Handler>
  void input(Handler&& handler) {
    if (!listener_.takes_input()) return;
    const ObjectHold hold(listener_.holder());
    handler();
  }

  WidgetEvents& inner_;
  SurfaceListener& listener_;
};

}  // namespace

class ControlToolkit::ListenedSurface final : public Surface {
 public:
  ListenedSurface(std::unique_ptr<Win32Surface> inner, ControlToolkit& toolkit)
      : inner_(std::move(inner)), toolkit_(toolkit) {
    toolkit_.control_surface_ = inner_.get();
  }
  ~ListenedSurface() override {
    if (toolkit_.control_surface_ == inner_.get()) toolkit_.control_surface_ = nullptr;
  }
  const WidgetTable& table() const override { return inner_->table(); }
  Widget& widget(WidgetId id) override { return inner_->widget(id); }
  void set_events(WidgetEvents* events) override {
    events_.reset();
    if (events != nullptr) events_ = std::make_unique<ListenedEvents>(*events, toolkit_.listener_);
    inner_->set_events(events_.get());
  }
  void set_enabled(bool enabled) override { inner_->set_enabled(enabled); }
  bool enabled() const override { return inner_->enabled(); }
  void set_grid_cursor(int cell) override { inner_->set_grid_cursor(cell); }
  int grid_cursor() const override { return inner_->grid_cursor(); }
  void set_grid_accessible_recipe(const AccessibleRecipe& recipe) override {
    inner_->set_grid_accessible_recipe(recipe);
  }

 private:
  std::unique_ptr<Win32Surface> inner_;
  ControlToolkit& toolkit_;
  std::unique_ptr<ListenedEvents> events_;
};

ControlToolkit::ControlToolkit(HWND control_window, SurfaceListener& listener)
    : win32_(control_window), listener_(listener) {}

std::unique_ptr<Surface> ControlToolkit::create_surface(const WidgetTable& table,
                                                        ErrorSink& errors) {
  std::unique_ptr<Surface> created = win32_.create_surface(table, errors);
  // The Win32 toolkit makes only Win32 surfaces.
  std::unique_ptr<Win32Surface> surface(static_cast<Win32Surface*>(created.release()));
  return std::make_unique<ListenedSurface>(std::move(surface), *this);
}

std::unique_ptr<Form> ControlToolkit::create_form(const WidgetTable& table, ErrorSink& errors) {
  return win32_.create_form(table, errors);
}

}  // namespace dnovar
