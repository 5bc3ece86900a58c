#include "host/qt/widget_site.h"

#include "backends/qt/qt_access.h"
#include "host/type_library.h"

namespace dnovar::widget {

// Hands each notification on to the control's handlers and tells the site when it started and
// how it ended.
class WidgetSite::ReportingEvents final : public WidgetEvents {
 public:
  explicit ReportingEvents(WidgetSite& site) : site_(site) {}
  void set_target(WidgetEvents* target) { target_ = target; }

  void click(WidgetId id) override {
    forward([&](WidgetEvents& events) { events.click(id); });
  }
  void value_changed(WidgetId id) override {
    forward([&](WidgetEvents& events) { events.value_changed(id); });
  }
  void key_press(WidgetId id, int& key_code) override {
    forward([&](WidgetEvents& events) { events.key_press(id, key_code); });
  }
  void mouse_down(WidgetId id, int button) override {
    forward([&](WidgetEvents& events) { events.mouse_down(id, button); });
  }
  void mouse_move(WidgetId id, int buttons) override {
    forward([&](WidgetEvents& events) { events.mouse_move(id, buttons); });
  }
  void double_click(WidgetId id) override {
    forward([&](WidgetEvents& events) { events.double_click(id); });
  }
  void focus_entered() override {
    forward([&](WidgetEvents& events) { events.focus_entered(); });
  }
  void focus_left() override {
    forward([&](WidgetEvents& events) { events.focus_left(); });
  }
  void grid_focus_entered() override {
    forward([&](WidgetEvents& events) { events.grid_focus_entered(); });
  }
  void grid_focus_left() override {
    forward([&](WidgetEvents& events) { events.grid_focus_left(); });
  }
  void grid_key(GridKey key, int modifiers) override {
    forward([&](WidgetEvents& events) { events.grid_key(key, modifiers); });
  }

 private:
  template <typename Notify>
  void forward(Notify&& notify) {
    if (target_ == nullptr) return;
    ++site_.depth_;
    try {
      notify(*target_);
    } catch (...) {
      // The toolkit's dispatch reports the failure next; the action ends there.
      site_.notification_failed();
      throw;
    }
    site_.notification_ended();
  }

  WidgetSite& site_;
  WidgetEvents* target_ = nullptr;
};

// The Qt surface with its notifications going through ReportingEvents.
class WidgetSite::ReportingSurface final : public Surface {
 public:
  ReportingSurface(std::unique_ptr<Surface> inner, WidgetSite& site)
      : inner_(std::move(inner)), events_(site) {}
  ~ReportingSurface() override { inner_->set_events(nullptr); }

  const WidgetTable& table() const override { return inner_->table(); }
  Widget& widget(WidgetId id) override { return inner_->widget(id); }
  void set_events(WidgetEvents* events) override {
    events_.set_target(events);
    inner_->set_events(events != nullptr ? &events_ : nullptr);
  }
  void set_enabled(bool enabled) override { inner_->set_enabled(enabled); }
  bool enabled() const override { return inner_->enabled(); }
  void set_grid_cursor(int cell) override { inner_->set_grid_cursor(cell); }
  int grid_cursor() const override { return inner_->grid_cursor(); }
  void set_grid_accessible_recipe(const AccessibleRecipe& recipe) override {
    inner_->set_grid_accessible_recipe(recipe);
  }

 private:
  std::unique_ptr<Surface> inner_;
  ReportingEvents events_;
};

void WidgetSite::raise_event(std::string_view, int dispatch_id) {
  if (dispatch_id == kZavriId) listener_.close_requested();
}

void WidgetSite::report_error(const RuntimeError& error) {
  listener_.error_reported(error);
  if (failed_action_ && depth_ == 0) {
    failed_action_ = false;
    listener_.user_action_ended();
  }
}

std::unique_ptr<Surface> WidgetSite::create_surface(const WidgetTable& table, ErrorSink& errors) {
  std::unique_ptr<Surface> surface = qt_.create_surface(table, errors);
  control_root_ = &surface_root(*surface);
  return std::make_unique<ReportingSurface>(std::move(surface), *this);
}

std::unique_ptr<Form> WidgetSite::create_form(const WidgetTable& table, ErrorSink& errors) {
  return qt_.create_form(table, errors);
}

void WidgetSite::notification_ended() {
  if (--depth_ == 0) listener_.user_action_ended();
}

void WidgetSite::notification_failed() {
  if (--depth_ == 0) failed_action_ = true;
}

}  // namespace dnovar::widget
