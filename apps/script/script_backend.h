// What the script host needs from a toolkit backend: the toolkit, and a way to deliver user
// input to a surface the way that backend's real input arrives.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/modal_action.h"
#include "platform/toolkit.h"

namespace dnovar::script {

class ScriptInstance;
class ScriptSite;

class ScriptBackend {
 public:
  virtual ~ScriptBackend() = default;
  virtual Toolkit& toolkit() = 0;
  virtual void on_beep(std::function<void()> listener) = 0;

  virtual void click(Surface& surface, WidgetId id) = 0;
  virtual void choose(Surface& surface, WidgetId combo, int index) = 0;
  virtual void spin(Surface& surface, WidgetId spinner, bool up) = 0;
  virtual void key(Surface& surface, WidgetId text_box, int key_code) = 0;
  virtual void paste(Surface& surface, WidgetId text_box, std::string_view text) = 0;
  virtual void mouse_down(Surface& surface, WidgetId id, int button) = 0;
  virtual void mouse_up(Surface& surface, WidgetId id, int button) = 0;
  virtual void mouse_move(Surface& surface, WidgetId id, int buttons) = 0;
  virtual void double_click(Surface& surface, WidgetId id) = 0;
  virtual void focus_in(Surface& surface) = 0;
  virtual void focus_out(Surface& surface) = 0;
  // The user tabs onto the day grid (from the control's last tab stop, or into the control from
  // the host's field), and presses a key there. A backend without the keyboard path raises 438.
  virtual void focus_grid(Surface& surface);
  virtual void grid_key(Surface& surface, GridKey key, int modifiers);
  // What the user does inside the next modal form.
  virtual void queue_modal(ModalAction action) = 0;

  // A backend whose control lives in a module of its own (ole) makes the instances itself: a new
  // one not yet initialised or loaded (`new`, `load`), or one started on a date (`start`). Null:
  // the script host makes them (through its registry, or in process).
  virtual std::unique_ptr<ScriptInstance> create_instance(ScriptSite& site);
  virtual std::unique_ptr<ScriptInstance> start_instance(ScriptSite& site, DateSerial date);
};

std::unique_ptr<ScriptBackend> make_headless_backend();

}  // namespace dnovar::script
