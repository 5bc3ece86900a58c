#include "apps/script/script_backend.h"
#include "backends/headless/headless_toolkit.h"

namespace dnovar::script {

namespace {

class HeadlessBackend final : public ScriptBackend {
 public:
  Toolkit& toolkit() override { return toolkit_; }
  void on_beep(std::function<void()> listener) override { toolkit_.on_beep(std::move(listener)); }

  void click(Surface& s, WidgetId id) override { headless(s).user_click(id); }
  void choose(Surface& s, WidgetId id, int index) override { headless(s).user_choose(id, index); }
  void spin(Surface& s, WidgetId id, bool up) override { headless(s).user_spin(id, up); }
  void key(Surface& s, WidgetId id, int code) override { headless(s).user_key(id, code); }
  void paste(Surface& s, WidgetId id, std::string_view text) override {
    headless(s).user_paste(id, text);
  }
  void mouse_down(Surface& s, WidgetId id, int button) override {
    headless(s).user_mouse_down(id, button);
  }
  void mouse_up(Surface& s, WidgetId id, int button) override {
    headless(s).user_mouse_up(id, button);
  }
  void mouse_move(Surface& s, WidgetId id, int buttons) override {
    headless(s).user_mouse_move(id, buttons);
  }
  void double_click(Surface& s, WidgetId id) override { headless(s).user_double_click(id); }
  void focus_in(Surface& s) override { headless(s).user_focus_in(); }
  void focus_out(Surface& s) override { headless(s).user_focus_out(); }
  void focus_grid(Surface& s) override { headless(s).user_focus_grid(); }
  void grid_key(Surface& s, GridKey key, int modifiers) override {
    headless(s).user_grid_key(key, modifiers);
  }
  void queue_modal(ModalAction action) override { toolkit_.queue_modal_action(action); }

 private:
  // Every surface this backend hands out is a HeadlessSurface.
  static HeadlessSurface& headless(Surface& surface) {
    return static_cast<HeadlessSurface&>(surface);
  }

  HeadlessToolkit toolkit_;
};

}  // namespace

std::unique_ptr<ScriptBackend> make_headless_backend() {
  return std::make_unique<HeadlessBackend>();
}

}  // namespace dnovar::script
