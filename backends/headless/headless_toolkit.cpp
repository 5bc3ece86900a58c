#include "backends/headless/headless_toolkit.h"

#include <algorithm>
#include <optional>

#include "platform/guarded_notification.h"
#include "platform/spin_step.h"

namespace dnovar {

HeadlessSurface::HeadlessSurface(const WidgetTable& table, ErrorSink& errors,
                                 std::deque<ModalAction>* modal_actions)
    : table_(table), errors_(errors), modal_actions_(modal_actions) {
  widgets_.reserve(table_.widgets.size());
  for (std::size_t i = 0; i < table_.widgets.size(); ++i) {
    const WidgetId id{static_cast<int>(i)};
    // A spin button set from code notifies inside the set, as its own dispatch.
    widgets_.push_back(std::make_unique<HeadlessWidget>(table_.widgets[i], [this, id] {
      deliver(id, [&](WidgetEvents& events) { events.value_changed(id); });
    }));
  }
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
  // Tab moves the focus and other control codes are shortcuts: neither is a typed character.
  if (key_code > 0 && key_code < 32 && key_code != kKeyBackspace && key_code != kKeyEnter) return;
  int code = key_code;
  deliver(text_box, [&](WidgetEvents& events) { events.key_press(text_box, code); });
  if (code == 0) return;
  if (code == kKeyEnter && w.kind() == WidgetKind::ComboBox) {
    // Enter in an editable list box chooses the entry its text names, as a click would.
    const auto items = w.items();
    const auto match = std::find(items.begin(), items.end(), w.text());
    if (match == items.end()) return;
    w.choose_item(static_cast<int>(match - items.begin()));
    deliver(text_box, [&](WidgetEvents& events) { events.click(text_box); });
    return;
  }
  std::string text = w.text();
  if (code == kKeyBackspace) {
    // Removes the last character, whole UTF-8 sequence included.
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
      text.pop_back();
    if (!text.empty()) text.pop_back();
  } else if (code >= 32) {
    // Append the code point as UTF-8.
    const auto cp = static_cast<unsigned>(code);
    if (cp < 0x80) {
      text.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      text.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      text.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      text.push_back(static_cast<char>(0xE0 | ((cp >> 12) & 0x0F)));
      text.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  } else {
    return;  // Enter and other control keys insert nothing into a single-line box
  }
  w.set_text_typed(text);
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

void HeadlessSurface::user_focus_out() {
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
  while (loaded_) {
    ModalAction action = ModalAction::CloseBox;
    if (modal_actions_ != nullptr && !modal_actions_->empty()) {
      action = modal_actions_->front();
      modal_actions_->pop_front();
    }
    switch (action) {
      case ModalAction::PressFirstButton:
      case ModalAction::AccessKey:
        if (button.value >= 0) user_click(button);
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
