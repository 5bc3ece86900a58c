#include "backends/headless/headless_toolkit.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/guarded_notification.h"
#include "platform/spin_step.h"
#include "platform/utf8.h"

namespace dnovar {

namespace {

bool is_reported_key(int code) {
  return code == kKeyBackspace || code == kKeyEnter || (code >= 32 && code != 127);
}

}  // namespace

HeadlessSurface::HeadlessSurface(const WidgetTable& table, ErrorSink& errors,
                                 std::deque<ModalAction>* modal_actions)
    : shared_table_(shared_table(table)),
      table_(*shared_table_),
      errors_(errors),
      modal_actions_(modal_actions) {
  widgets_.reserve(table_.widgets.size());
  for (std::size_t i = 0; i < table_.widgets.size(); ++i) {
    const WidgetId id{static_cast<int>(i)};
    // A spin button set from code notifies inside the set, as its own dispatch.
    widgets_.push_back(std::make_unique<HeadlessWidget>(table_.widgets[i], [this, id] {
      deliver(id, [&](WidgetEvents& events) { events.value_changed(id); });
    }));
  }
}

std::string HeadlessSurface::grid_accessible_name() const {
  std::string name, description;
  if (grid_recipe_.compose != nullptr) grid_recipe_.compose(grid_recipe_, name, description);
  return name;
}

HeadlessWidget& HeadlessSurface::widget(WidgetId id) {
  if (id.value < 0 || id.value >= static_cast<int>(widgets_.size()))
    raise_no_such_element(id.value);
  return *widgets_[static_cast<std::size_t>(id.value)];
}

template <typename Handler>
void HeadlessSurface::deliver(WidgetId, Handler&& handler) {
  if (events_ == nullptr) return;
  WidgetEvents& events = *events_;
  run_guarded_notification(errors_, [&] { handler(events); });
}

bool HeadlessSurface::accepts_input(WidgetId id) {
  return enabled_ && loaded_ && widget(id).enabled();
}

void HeadlessSurface::user_click(WidgetId id) {
  if (!accepts_input(id)) return;
  deliver(id, [&](WidgetEvents& events) { events.click(id); });
}

void HeadlessSurface::user_choose(WidgetId combo, int index) {
  if (!accepts_input(combo)) return;
  widget(combo).choose_item(index);
  deliver(combo, [&](WidgetEvents& events) { events.click(combo); });
}

void HeadlessSurface::user_spin(WidgetId spin, bool up) {
  if (!accepts_input(spin)) return;
  HeadlessWidget& w = widget(spin);
  if (const std::optional<Int32> next = spin_step(w.value(), w.min(), w.max(), w.increment(), up))
    w.set_value(*next);
}

void HeadlessSurface::user_key(WidgetId text_box, int key_code) {
  if (!accepts_input(text_box)) return;
  HeadlessWidget& w = widget(text_box);
  if (w.kind() != WidgetKind::TextBox && w.kind() != WidgetKind::ComboBox) raise_not_supported();
  // Tab moves the focus and other control codes (DEL too) are shortcuts: none is a typed
  // character, and a toolkit's field reports none of them.
  if (!is_reported_key(key_code)) return;
  int code = key_code;
  deliver(text_box, [&](WidgetEvents& events) { events.key_press(text_box, code); });
  if (code == kKeyEnter && w.kind() == WidgetKind::ComboBox) {
    // Enter in an editable list box chooses the entry its text names, as a click would; the
    // entry that is already the current one is not chosen again.
    const std::vector<std::string>& items = w.item_list();
    const auto match = std::find(items.begin(), items.end(), w.text_view());
    const int index = static_cast<int>(match - items.begin());
    if (match == items.end() || index == w.current_index()) return;
    w.choose_item(index);
    deliver(text_box, [&](WidgetEvents& events) { events.click(text_box); });
    return;
  }
  if (code == kKeyBackspace) {
    w.erase_last_typed_character();
  } else if (const std::string typed = utf8_of(code); code >= 32 && code != 127) {
    w.append_typed(typed);
  }
  // Enter and other control codes insert nothing into a single-line box.
}

void HeadlessSurface::user_paste(WidgetId text_box, std::string_view text) {
  if (!accepts_input(text_box)) return;
  widget(text_box).set_text_typed(text);
}

void HeadlessSurface::user_mouse_down(WidgetId id, int button) {
  if (!accepts_input(id)) return;
  deliver(id, [&](WidgetEvents& events) { events.mouse_down(id, button); });
}

void HeadlessSurface::user_mouse_up(WidgetId id, int) {
  // The control handles no MouseUp; the release only shows in the next move's button state.
  (void)accepts_input(id);
}

void HeadlessSurface::user_mouse_move(WidgetId id, int buttons) {
  if (!accepts_input(id)) return;
  deliver(id, [&](WidgetEvents& events) { events.mouse_move(id, buttons); });
}

void HeadlessSurface::user_double_click(WidgetId id) {
  if (!accepts_input(id)) return;
  deliver(id, [&](WidgetEvents& events) { events.double_click(id); });
}

void HeadlessSurface::set_enabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) user_focus_out();
}

void HeadlessSurface::user_focus_in() {
  if (!enabled_ || focus_inside_) return;
  focus_inside_ = true;
  deliver(WidgetId{}, [&](WidgetEvents& events) { events.focus_entered(); });
}

void HeadlessSurface::user_focus_grid() {
  if (!enabled_ || !loaded_ || grid_focused_) return;
  if (!focus_inside_) {
    focus_inside_ = true;
    deliver(WidgetId{}, [&](WidgetEvents& events) { events.focus_entered(); });
  }
  grid_focused_ = true;
  deliver(WidgetId{}, [&](WidgetEvents& events) { events.grid_focus_entered(); });
}

void HeadlessSurface::user_grid_key(GridKey key, int modifiers) {
  if (!enabled_ || !loaded_ || !grid_focused_) return;
  deliver(WidgetId{}, [&](WidgetEvents& events) { events.grid_key(key, modifiers); });
}

void HeadlessSurface::user_focus_out() {
  if (grid_focused_) {
    grid_focused_ = false;
    deliver(WidgetId{}, [&](WidgetEvents& events) { events.grid_focus_left(); });
  }
  if (!focus_inside_) return;
  focus_inside_ = false;
  deliver(WidgetId{}, [&](WidgetEvents& events) { events.focus_left(); });
}

WidgetId HeadlessSurface::find(std::string_view name, int index) const {
  bool name_seen = false;
  for (std::size_t i = 0; i < table_.widgets.size(); ++i) {
    if (table_.widgets[i].name != name) continue;
    name_seen = true;
    if (table_.widgets[i].index == index) return WidgetId{static_cast<int>(i)};
  }
  if (name_seen) raise_no_such_element(index);
  raise_not_supported();
}

void HeadlessSurface::show_modal() {
  loaded_ = true;
  // Plays the queued user actions until the form is unloaded; an empty queue closes it by the
  // close box, so a script never hangs.
  WidgetId button{};
  for (std::size_t i = 0; i < table_.widgets.size(); ++i)
    if (table_.widgets[i].kind == WidgetKind::CommandButton) button = WidgetId{static_cast<int>(i)};
  // Alt + the button's own key presses it; a button without one ("A&&B") is not pressed so.
  const bool button_has_key =
      button.value >= 0 && table_.widgets[static_cast<std::size_t>(button.value)].access_key != 0;
  while (loaded_) {
    ModalAction action = ModalAction::CloseBox;
    if (modal_actions_ != nullptr && !modal_actions_->empty()) {
      action = modal_actions_->front();
      modal_actions_->pop_front();
    }
    switch (action) {
      case ModalAction::PressFirstButton:
        if (button.value >= 0) user_click(button);
        break;
      case ModalAction::AccessKey:
        if (button_has_key) user_click(button);
        break;
      case ModalAction::CloseBox:
        unload();
        break;
      case ModalAction::Escape:
        break;
    }
  }
}

std::unique_ptr<Surface> HeadlessToolkit::create_surface(const WidgetTable& table,
                                                         ErrorSink& errors) {
  return std::make_unique<HeadlessSurface>(table, errors, nullptr);
}

std::unique_ptr<Form> HeadlessToolkit::create_form(const WidgetTable& table, ErrorSink& errors) {
  return std::make_unique<HeadlessSurface>(table, errors, &modal_actions_);
}

void HeadlessToolkit::beep() {
  ++beeps_;
  if (beep_listener_) beep_listener_();
}

}  // namespace dnovar
