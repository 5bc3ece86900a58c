// A surface (the control's widgets, or a form) on real Windows controls: one child window per
// table entry, all children of one surface window whose client area is the table's size.
//
// Kinds: a label is a STATIC (SS_NOTIFY, so the mouse reaches it) reporting mouse down, move and
// double-click; a text box an EDIT whose typed characters go through the key handler; a combo box
// a COMBOBOX drop-down with editable text; a command button a push BUTTON (its '&' marks the
// access key); a frame a group-box BUTTON, which stands behind the widgets it holds (they are its
// siblings, placed at its offset, so their notifications reach the surface); a spin button an
// msctls_updown32 without a buddy, whose arrows step the value by the rule of spin_step.
//
// A control surface is a child of the window its toolkit names. A form is a top-level window with
// a title, a close box and no other window button; show_modal runs a modal loop of its own with the
// thread's other windows disabled, and IsDialogMessage gives Alt + access key; Escape and Enter
// press nothing (no button is the default or cancel one); the close box unloads the form.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "backends/win32/win32_look.h"
#include "backends/win32/win32_widget.h"
#include "platform/toolkit.h"

namespace dnovar {

// What a surface needs from its toolkit.
struct Win32SurfaceContext {
  HWND parent = nullptr;  // of a control surface
  LookCache* look = nullptr;
  // Called whenever a form's modal loop has nothing to do; true when it posted something (a
  // script's user acting in the form), false to wait for real input.
  std::function<bool(HWND form)>* modal_idle = nullptr;
};

class Win32Surface final : public Form {
 public:
  enum class Role { Control, Form };

  Win32Surface(const WidgetTable& table, ErrorSink& errors, Role role,
               const Win32SurfaceContext& context);
  ~Win32Surface() override;
  Win32Surface(const Win32Surface&) = delete;
  Win32Surface& operator=(const Win32Surface&) = delete;

  const WidgetTable& table() const override { return table_; }
  Win32Widget& widget(WidgetId id) override;
  void set_events(WidgetEvents* events) override { events_ = events; }
  // Disables the surface window: Windows then lets no input reach its children, whose own flags
  // stay.
  void set_enabled(bool enabled) override;
  bool enabled() const override { return enabled_; }

  // Error 400 when the form is already shown modally. Returns once the form has been unloaded.
  void show_modal() override;
  void unload() override;
  bool loaded() const override { return loaded_; }

  HWND window() const { return window_; }
  // The focus is in the surface (on the surface window or one of its children).
  bool contains(HWND window) const;

 private:
  static LRESULT CALLBACK surface_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK child_procedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                          UINT_PTR id, DWORD_PTR surface);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  LRESULT handle_child(HWND child, WidgetId id, UINT message, WPARAM w, LPARAM l);
  LRESULT handle_character(HWND field, WidgetId id, WPARAM w, LPARAM l);
  void handle_command(WidgetId id, int code);
  Win32Widget* widget_of(HWND child);
  void create_window(Role role, HWND parent);
  void build_widgets();
  void set_tab_order();
  void focus_moved(HWND other, bool arriving);

  // One notification, one dispatch: a handler's failure goes to the ErrorSink.
  template <typename Handler>
  void deliver(Handler&& handler);

  WidgetTable table_;
  ErrorSink& errors_;
  Win32SurfaceContext context_;
  int dpi_ = 96;
  HWND window_ = nullptr;
  std::vector<std::unique_ptr<Win32Widget>> widgets_;
  WidgetEvents* events_ = nullptr;
  bool enabled_ = true;
  bool loaded_ = true;
  bool focus_inside_ = false;
  bool in_modal_loop_ = false;
  // Set by the destructor for a modal loop still running: a handler may release the form.
  bool* destroyed_ = nullptr;
};

}  // namespace dnovar
