// dnovar.ocx behind the interfaces the script host drives every control through (Dispatch,
// ControlHosting, EventSource, ControlInspection): each call becomes the COM call a container
// makes, through the OLE hosting our containers share (apps/common/ole/ole_control.h), so the
// script host runs the same scripts against the real ActiveX control. The control is activated
// in place in the host's window as soon as it has its site.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "apps/common/ole/ole_control.h"
#include "apps/script/ole/ole_site.h"
#include "apps/script/ole/remote_surface.h"
#include "component/automation.h"
#include "component/control_hosting.h"
#include "component/event_sinks.h"
#include "component/object.h"
#include "host/control_inspection.h"

namespace dnovar::script {

struct OleHostCallbacks {
  HWND place = nullptr;                       // where the control is activated
  std::function<void()> beeped;               // the control beeped
  std::function<bool(HWND form)> modal_idle;  // the user's turn in a modal form
};

class OleComponent final
    : public ObjectBase<Dispatch, ControlHosting, EventSource, ControlInspection>,
      private OleSiteListener,
      private ole::SinkListener {
 public:
  // Takes a new, unloaded instance of the control. A control without one of the interfaces a
  // call needs fails that call with error 430.
  OleComponent(ComRef<IDispatch> control, OleHostCallbacks callbacks);
  ~OleComponent() override;

  RemoteSurface& surface() { return *surface_; }
  DnovarInspection& inspection() { return *inspection_; }

  Status get_ids_of_names(std::string_view name, DispatchId* id) override;
  Status invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& args, Variant* result,
                ExceptionInfo* info) override;
  Status get_type_info(TypeInfoRef* out) override;

  Status advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) override;
  Status unadvise(std::uint32_t cookie) override;

  Status set_site(ControlSite* site, ExceptionInfo* info) override;
  Status init_new(ExceptionInfo* info) override;
  Status load(PropertyBag& bag, ExceptionInfo* info) override;
  Status save(PropertyBag& bag, ExceptionInfo* info) override;

  Status read_state(CalendarState* state, ExceptionInfo* info) override;

 private:
  // OleSiteListener
  std::string extender_name() override;
  DateSerial today() override;
  void error_contained(const RuntimeError& error) override;
  void beeped() override;
  bool modal_idle(HWND form) override;
  // ole::SinkListener
  void control_event(DISPID id, const std::string& name) override;
  void control_changed(DISPID id, const std::string& name) override;

  // Sited on a new OleSite, advised and activated in place; and torn down in the hosting's order.
  void attach();
  void detach();

  ComRef<IDispatch> control_;
  ComRef<DnovarInspection> inspection_;
  std::unique_ptr<RemoteSurface> surface_;
  OleHostCallbacks callbacks_;
  ComRef<OleSite> ole_site_;
  std::unique_ptr<ole::OleControl> hosted_;
  ControlSite* site_ = nullptr;
  EventSinks sinks_;
};

}  // namespace dnovar::script
