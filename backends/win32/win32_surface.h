// A surface (the control's widgets, or a form) on real Windows controls: one surface window whose
// client area is the table's size, a child window for each widget the user types into, presses or
// steps, and labels and frames drawn by the surface itself (win32_drawn.h).
//
// Kinds: a label is drawn as a STATIC draws it, and the mouse on it (down, move, double-click)
// reaches the surface window, which reports it with the label's index; a text box is an EDIT
// whose typed characters go through the key handler; a combo box a COMBOBOX drop-down with
// editable text; a command button a push BUTTON (its '&' marks the access key); a frame is drawn
// as a group box draws it, behind the widgets it holds (placed at its offset); a spin button an
// msctls_updown32 without a buddy, whose arrows step the value by the rule of spin_step. Tool tips
// are those the table names (win32_tool_tips.h).
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

#include "backends/win32/win32_accessible.h"
#include "backends/win32/win32_grid_keys.h"
#include "backends/win32/win32_handles.h"
#include "backends/win32/win32_look.h"
#include "backends/win32/win32_tool_tips.h"
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
  // Called when the focus moves into or out of a box whose handler acts on Enter
  // (WidgetRow::handles_enter): an OLE control's container asks again whether it eats Enter.
  std::function<void()>* enter_box_focus_changed = nullptr;
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
  // The cursor's cell has a focus rectangle while the grid window has the focus, and MSAA clients
  // hear EVENT_OBJECT_FOCUS for it (the cell as a child of the surface's client object).
  void set_grid_cursor(int cell) override;
  int grid_cursor() const override { return grid_focused_ ? grid_cursor_ : -1; }
  // MSAA clients see the drawn cells as children of the surface's client object, with no table
  // to name: the grid's name is not shown.
  void set_grid_accessible_recipe(const AccessibleRecipe&) override {}
  // The window holding the focus while the day grid has it; null on a form.
  HWND grid_window() const { return grid_keys_ ? grid_keys_->window() : nullptr; }

  // Error 400 when the form is already shown modally. Returns once the form has been unloaded.
  void show_modal() override;
  void unload() override;
  bool loaded() const override { return loaded_; }

  HWND window() const { return window_; }
  // Whether the focus is in a box whose handler acts on Enter (WidgetRow::handles_enter).
  bool focus_in_enter_box() const { return focus_in_enter_box_; }
  // The focus is in the surface (on the surface window or one of its children).
  bool contains(HWND window) const;
  // The middle of widget `id`, in the client area of the window its mouse input goes to: its own
  // window, or the surface's for a label.
  POINT middle_of(WidgetId id);
  // The tooltips_class32 control with the widgets' tips, made when the mouse first comes over a
  // widget that has one; null before.
  HWND tool_tip_control() const { return tool_tips_ ? tool_tips_->control() : nullptr; }
  // A label or frame has changed: it is drawn again with the surface's next paint. The first
  // change after a paint invalidates the area of all of them, once; the paint then draws what
  // changed (and everything in a part the system asked to paint). A refresh changes dozens of
  // labels, and each invalidation is a call to the window system (to its server, under Wine).
  void redraw(Win32Widget& widget);

 private:
  static LRESULT CALLBACK surface_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  // A child window's procedure is replaced by the surface's, which handles what it needs of each
  // message and passes it on to the control's own. (SetWindowSubclass would do the same, but it
  // finds its data through a window property on every message, which Wine asks its server for.)
  struct ChildHook {
    Win32Surface* surface;
    WidgetId id;
    WNDPROC original;
  };
  static LRESULT CALLBACK child_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT original_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  LRESULT handle_child(HWND child, WidgetId id, UINT message, WPARAM w, LPARAM l);
  LRESULT handle_character(HWND field, WidgetId id, WPARAM w, LPARAM l);
  void handle_command(WidgetId id, int code);
  // The labels and frames that meet `invalid`, drawn on `dc`.
  void draw_widgets(HDC dc, const RECT& invalid, bool all);
  void paint();
  // The enabled label under the mouse at `position` (client coordinates), or -1.
  WidgetId label_at(LPARAM position) const;
  void mouse_on_label(WidgetId id, UINT message, WPARAM keys);
  Win32Widget* widget_of(HWND child);
  // The surface window, owned by the caller until the surface stands.
  OwnedWindow create_window(Role role, HWND parent);
  void build_widgets();
  HWND create_child(std::size_t index, const RECT& pixels);
  void hook(HWND child, WidgetId id);
  void focus_moved(HWND other, bool arriving);
  void follow_tab_stop();
  void follow_enter_box(bool inside);
  // A control's day grid: the labels of its largest label array, by array index.
  void make_grid_keys();
  void grid_focus_moved(bool arriving, HWND other);
  Win32Widget* grid_cell(int index) const;

  // One notification, one dispatch: a handler's failure goes to the ErrorSink.
  template <typename Handler>
  void deliver(Handler&& handler);

  std::shared_ptr<const WidgetTable> shared_table_;
  const WidgetTable& table_;  // *shared_table_
  ErrorSink& errors_;
  Win32SurfaceContext context_;
  int dpi_ = 96;
  HWND window_ = nullptr;
  std::vector<std::unique_ptr<Win32Widget>> widgets_;
  std::vector<std::unique_ptr<ChildHook>> hooks_;
  std::unique_ptr<Win32ToolTips> tool_tips_;
  WidgetEvents* events_ = nullptr;
  bool enabled_ = true;
  bool loaded_ = true;
  bool focus_inside_ = false;
  Role role_ = Role::Control;
  bool focus_in_enter_box_ = false;
  std::vector<Win32Widget*> grid_cells_;
  std::unique_ptr<Win32GridKeys> grid_keys_;
  int grid_cursor_ = -1;
  bool grid_focused_ = false;
  // The labels and frames' bounds, the changed ones among them, and whether they wait for a paint
  // that the surface asked for (`redraw_all_`: one the system asked for first, which may need all).
  RECT drawn_bounds_{};
  std::vector<Win32Widget*> stale_;
  bool redraw_pending_ = false;
  bool redraw_all_ = false;
  bool in_modal_loop_ = false;
  // The client object that names the drawn widgets to MSAA clients, made when first asked for.
  SurfaceAccessibility accessibility_{*this};
  // Set by the destructor for a modal loop still running: a handler may release the form.
  bool* destroyed_ = nullptr;
};

}  // namespace dnovar
