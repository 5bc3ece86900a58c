#include "host/activex/control_toolkit.h"

namespace dnovar {

namespace {

// Passes every notification on, and the focus ones to the container as well.
class FocusReportingEvents final : public WidgetEvents {
 public:
  FocusReportingEvents(WidgetEvents& inner, std::function<void(bool)>& focus_changed)
      : inner_(inner), focus_changed_(focus_changed) {}
  void click(WidgetId id) override { inner_.click(id); }
  void value_changed(WidgetId id) override { inner_.value_changed(id); }
  void key_press(WidgetId id, int& key_code) override { inner_.key_press(id, key_code); }
  void mouse_down(WidgetId id, int button) override { inner_.mouse_down(id, button); }
  void mouse_move(WidgetId id, int buttons) override { inner_.mouse_move(id, buttons); }
  void double_click(WidgetId id) override { inner_.double_click(id); }
  void focus_entered() override {
    inner_.focus_entered();
    focus_changed_(true);
  }
  void focus_left() override {
    inner_.focus_left();
    focus_changed_(false);
  }

 private:
  WidgetEvents& inner_;
  std::function<void(bool)>& focus_changed_;
};

}  // namespace

class ControlToolkit::FocusReportingSurface final : public Surface {
 public:
  FocusReportingSurface(std::unique_ptr<Win32Surface> inner, ControlToolkit& toolkit)
      : inner_(std::move(inner)), toolkit_(toolkit) {
    toolkit_.control_surface_ = inner_.get();
  }
  ~FocusReportingSurface() override {
    if (toolkit_.control_surface_ == inner_.get()) toolkit_.control_surface_ = nullptr;
  }
  const WidgetTable& table() const override { return inner_->table(); }
  Widget& widget(WidgetId id) override { return inner_->widget(id); }
  void set_events(WidgetEvents* events) override {
    events_.reset();
    if (events != nullptr)
      events_ = std::make_unique<FocusReportingEvents>(*events, toolkit_.focus_changed_);
    inner_->set_events(events_.get());
  }
  void set_enabled(bool enabled) override { inner_->set_enabled(enabled); }
  bool enabled() const override { return inner_->enabled(); }

 private:
  std::unique_ptr<Win32Surface> inner_;
  ControlToolkit& toolkit_;
  std::unique_ptr<FocusReportingEvents> events_;
};

ControlToolkit::ControlToolkit(HWND control_window, std::function<void(bool)> focus_changed)
    : win32_(control_window), focus_changed_(std::move(focus_changed)) {}

std::unique_ptr<Surface> ControlToolkit::create_surface(const WidgetTable& table,
                                                        ErrorSink& errors) {
  std::unique_ptr<Surface> created = win32_.create_surface(table, errors);
  // The Win32 toolkit makes only Win32 surfaces.
  std::unique_ptr<Win32Surface> surface(static_cast<Win32Surface*>(created.release()));
  return std::make_unique<FocusReportingSurface>(std::move(surface), *this);
}

std::unique_ptr<Form> ControlToolkit::create_form(const WidgetTable& table, ErrorSink& errors) {
  return win32_.create_form(table, errors);
}

}  // namespace dnovar
