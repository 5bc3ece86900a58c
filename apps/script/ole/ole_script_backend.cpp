#include "apps/script/ole/ole_script_backend.h"

#include <windows.h>

#include <objbase.h>

#include "apps/common/ole/ole_control.h"
#include "apps/script/ole/ole_component.h"
#include "apps/script/script_instance.h"
#include "apps/script/script_site.h"
#include "apps/script/win32/window_input.h"
#include "backends/win32/win32_toolkit.h"
#include "component/status.h"
#include "core/surface_layout.h"
#include "host/activex/com_boundary.h"
#include "host/activex/private_interfaces.h"
#include "host/type_library.h"

namespace dnovar::script {

namespace {

class OleBackend final : public WindowInputBackend {
 public:
  OleBackend() : toolkit_(host().place()) {
    if (FAILED(OleInitialize(nullptr)))
      throw RuntimeError(error_number::automation_error, "Automation error: OleInitialize failed");
  }
  ~OleBackend() override { OleUninitialize(); }

  // The host's own toolkit: used only for what the script host builds itself, never the control.
  Toolkit& toolkit() override { return toolkit_; }
  void on_beep(std::function<void()> listener) override { beep_listener_ = std::move(listener); }

  std::unique_ptr<ScriptInstance> create_instance(ScriptSite& site) override {
    ComponentPtr<Dispatch> control = created();
    return std::make_unique<ScriptInstance>(ComponentPtr<Unknown>::share(control.get()), site,
                                            &last_->surface());
  }

  std::unique_ptr<ScriptInstance> start_instance(ScriptSite& site, DateSerial date) override {
    std::unique_ptr<ScriptInstance> instance = create_instance(site);
    check_com(last_->inspection().StartOn(date));
    return instance;
  }

 private:
  ComponentPtr<Dispatch> created() {
    ComRef<IDispatch> control = ole::OleControl::create(kDnovarProgId).query<IDispatch>();
    if (!control) throw error_from_status(Status::no_interface);
    OleHostCallbacks callbacks{host().place(),
                               [this] {
                                 if (beep_listener_) beep_listener_();
                               },
                               [this](HWND form) { return play(form); }};
    ComponentPtr<Dispatch> made =
        make_object<OleComponent, Dispatch>(std::move(control), callbacks);
    last_ = static_cast<OleComponent*>(made.get());
    return made;
  }

  static RemoteSurface& surface(Surface& s) { return static_cast<RemoteSurface&>(s); }

  MouseTarget mouse_target(Surface& s, WidgetId id) override {
    RemoteWidget& widget = surface(s).widget(id);
    HWND window = widget.mouse_window();
    if (!widget.enabled()) return {};
    for (HWND holder = window; holder != nullptr; holder = GetParent(holder))
      if (!IsWindowEnabled(holder)) return {};
    return {window, widget.middle()};
  }
  HWND widget_window(Surface& s, WidgetId id) override { return surface(s).widget(id).window(); }
  HWND text_field_window(Surface& s, WidgetId id) override {
    const WidgetKind kind = s.table().widgets.at(static_cast<std::size_t>(id.value)).kind;
    if (kind != WidgetKind::TextBox && kind != WidgetKind::ComboBox) raise_not_supported();
    return surface(s).widget(id).text_field();
  }
  bool surface_holds(Surface& s, HWND window) override {
    // The surface's window is the one the mouse on a drawn label goes to.
    HWND widgets = surface(s).widget(day_cell_id(0)).mouse_window();
    return window != nullptr && (window == widgets || IsChild(widgets, window));
  }
  HWND grid_window(Surface& s) override { return surface(s).grid_window(); }

  Win32Toolkit toolkit_;
  std::function<void()> beep_listener_;
  OleComponent* last_ = nullptr;
};

}  // namespace

std::unique_ptr<ScriptBackend> make_ole_backend() {
  return std::make_unique<OleBackend>();
}

}  // namespace dnovar::script
