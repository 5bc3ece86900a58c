// What the script host's backends on real windows share: the host's window (a field of the host's
// own above the place where the control sits) and the user's input as real window messages sent
// to the control's real child windows. Where those windows are is the backend's business: its
// own surfaces (win32), or a control in a module of its own (ole).
#pragma once

#include <windows.h>

#include <deque>

#include "apps/script/script_backend.h"

namespace dnovar::script {

// The host's window: a field of the host's own above the place where the control sits. A plain
// window forgets its focus when it is deactivated; this one keeps it, as a dialog does, so the
// focus returns where it was when a modal form closes.
class HostWindow {
 public:
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND window() const { return window_; }
  HWND field() const { return field_; }
  HWND place() const { return place_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND window_ = nullptr;
  HWND field_ = nullptr;
  HWND place_ = nullptr;
};

class WindowInputBackend : public ScriptBackend {
 public:
  void click(Surface& s, WidgetId id) override;
  void choose(Surface& s, WidgetId id, int index) override;
  void spin(Surface& s, WidgetId id, bool up) override;
  void key(Surface& s, WidgetId id, int code) override;
  void paste(Surface& s, WidgetId id, std::string_view text) override;
  void mouse_down(Surface& s, WidgetId id, int bits) override;
  void mouse_up(Surface& s, WidgetId id, int bits) override;
  void mouse_move(Surface& s, WidgetId id, int buttons) override;
  void double_click(Surface& s, WidgetId id) override;
  void focus_in(Surface& s) override;
  void focus_out(Surface& s) override;
  // Tab into the control when the focus is outside, then from stop to stop up to the grid.
  void focus_grid(Surface& s) override;
  // The key's window reads Shift and Ctrl from the keyboard state, as for a real key.
  void grid_key(Surface& s, GridKey key, int modifiers) override;
  void queue_modal(ModalAction action) override { actions_.push_back(action); }

 protected:
  // Where the mouse reaches a widget: the window its messages go to (a child control, or the
  // surface for a label the surface draws) and the widget's middle there; no window when the
  // widget or a window holding it is disabled.
  struct MouseTarget {
    HWND window = nullptr;
    LPARAM point = 0;
  };
  virtual MouseTarget mouse_target(Surface& s, WidgetId id) = 0;
  // The widget's own window (buttons, boxes, the month list and spinners have one).
  virtual HWND widget_window(Surface& s, WidgetId id) = 0;
  // Where a text box's or combo box's keys go; error 438 for a widget of another kind.
  virtual HWND text_field_window(Surface& s, WidgetId id) = 0;
  // The window has the focus inside the surface.
  virtual bool surface_holds(Surface& s, HWND window) = 0;
  // The window holding the focus while the day grid has it.
  virtual HWND grid_window(Surface& s) = 0;

  // The user's next action inside a modal form, posted to it as input; with nothing queued the
  // close box. Called when the form's loop is idle, so each action runs to its end first.
  bool play(HWND form);
  // Lets Windows finish what the input started (posted notifications, focus moves).
  void settle();
  HostWindow& host() { return host_; }

 private:
  // The child window that takes the user's input, or null when it or a window holding it is
  // disabled: Windows then delivers no input to it.
  HWND input_window(Surface& s, WidgetId id);
  // What keys and pastes go to, or null while the box takes no input.
  HWND text_field(Surface& s, WidgetId id);

  HostWindow host_;
  std::deque<ModalAction> actions_;
};

}  // namespace dnovar::script
