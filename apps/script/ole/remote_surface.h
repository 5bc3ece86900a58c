// The widgets of dnovar.ocx as the script host reads them: each read asks the control
// (DnovarInspection::ReadWidget), so the host shows what the control's own widgets hold.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "com/com_ref.h"
#include "host/activex/private_interfaces.h"
#include "platform/toolkit.h"
#include "platform/variant.h"

namespace dnovar::script {

class RemoteWidget final : public Widget {
 public:
  RemoteWidget(DnovarInspection& control, WidgetId id) : control_(control), id_(id) {}

  // The host changes the control's widgets only through input and the control's members, never
  // by setting them: every set is a member the widget does not have (438).
  void set_caption(std::string_view) override { raise_not_supported(); }
  void set_text(std::string_view) override { raise_not_supported(); }
  void set_back_colour(Colour) override { raise_not_supported(); }
  void set_fore_colour(Colour) override { raise_not_supported(); }
  void set_font_bold(bool) override { raise_not_supported(); }
  void set_enabled(bool) override { raise_not_supported(); }
  void set_look(std::string_view, Colour, bool) override { raise_not_supported(); }
  void set_value(Int32) override { raise_not_supported(); }
  void clear_items() override { raise_not_supported(); }
  void add_item(std::string_view) override { raise_not_supported(); }
  // Keeps the texts (as refresh_accessible_text does), for Widget's accessors to read.
  void set_accessible_text(std::string_view name, std::string_view description) override {
    Widget::set_accessible_text(name, description);
  }
  std::string caption() const override;
  std::string text() const override;
  Colour back_colour() const override;
  Colour fore_colour() const override;
  bool font_bold() const override;
  bool enabled() const override;
  Int32 value() const override;
  int list_index() const override;
  std::vector<std::string> items() const override;
  HWND window() const;
  HWND text_field() const;
  HWND mouse_window() const;
  // The widget's middle in mouse_window(), as a mouse message's LPARAM.
  LPARAM middle() const;
  // Takes over the control's accessible texts (the widget keeps them, Widget's accessors read
  // them).
  void refresh_accessible_text();

 private:
  Variant read(WidgetProperty property) const;
  DnovarInspection& control_;
  WidgetId id_;
};

class RemoteSurface final : public Surface {
 public:
  explicit RemoteSurface(ComRef<DnovarInspection> control);
  ~RemoteSurface() override;
  RemoteSurface(const RemoteSurface&) = delete;
  RemoteSurface& operator=(const RemoteSurface&) = delete;
  const WidgetTable& table() const override;
  RemoteWidget& widget(WidgetId id) override;
  // The host drives the control's widgets only with input; nothing here is set from outside.
  void set_events(WidgetEvents*) override {}
  void set_enabled(bool) override { raise_not_supported(); }
  bool enabled() const override;
  // The control moves its cursor itself, from the keys the host sends it.
  void set_grid_cursor(int) override {}
  // What the control's own surface names, across the process boundary; nothing to hold here.
  void set_grid_accessible_recipe(const AccessibleRecipe&) override {}
  // The day grid's keyboard cursor as MSAA clients hear it: the day cell the control's window
  // last reported focused (EVENT_OBJECT_FOCUS), while the grid's window has the focus.
  int grid_cursor() const override;
  // The control's window holding the focus while the day grid has it.
  HWND grid_window() const;

 private:
  static void CALLBACK focus_event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                   LONG child, DWORD thread, DWORD time);
  // The window the control draws its labels in (the mouse on a drawn label goes to it).
  HWND surface_window() const;
  void focused(HWND window, LONG object, LONG child);

  inline static std::map<HWINEVENTHOOK, RemoteSurface*> listening_;
  ComRef<DnovarInspection> control_;
  std::vector<std::unique_ptr<RemoteWidget>> widgets_;
  HWINEVENTHOOK focus_hook_ = nullptr;
  int focused_cell_ = -1;
};

}  // namespace dnovar::script
