// The control as a component: the automation interface _Dnovar (generated from the type library),
// the event source __Dnovar, the hosting calls (site, initialise, load, save) and a read-only
// view of its members for inspecting hosts.
#pragma once

#include <memory>

#include "component/automation.h"
#include "component/control_hosting.h"
#include "component/dispatch_table.h"
#include "component/event_sinks.h"
#include "component/object.h"
#include "core/calendar.h"
#include "host/control_inspection.h"
#include "interaction/calendar_events.h"

namespace dnovar {

class DnovarControl final
    : public ObjectBase<Dispatch, EventSource, ControlHosting, ControlInspection> {
 public:
  DnovarControl();
  ~DnovarControl() override;

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

  // For code that made the object itself, in the same program: the calendar behind it, null
  // until the control has a site. Hosts across a module boundary use ControlInspection.
  Calendar* calendar() { return calendar_.get(); }

 private:
  // The site the calendar sees: the host's, except that events go to the advised sinks.
  class InnerSite final : public ControlSite {
   public:
    explicit InnerSite(DnovarControl& control) : control_(control) {}
    std::string extender_name() override { return host().extender_name(); }
    void property_changed(std::string_view name) override { host().property_changed(name); }
    void raise_event(std::string_view, int dispatch_id) override {
      control_.sinks_.raise(dispatch_id);
    }
    void report_error(const RuntimeError& error) override { host().report_error(error); }
    Toolkit& toolkit() override { return host().toolkit(); }
    const Clock& clock() const override { return control_.host_site_->clock(); }
    CalendarRules calendar_rules() const override { return control_.host_site_->calendar_rules(); }

   private:
    ControlSite& host();
    DnovarControl& control_;
  };

  Calendar& require_calendar();
  std::vector<MemberBinding> bindings();

  ControlSite* host_site_ = nullptr;
  InnerSite inner_site_{*this};
  std::unique_ptr<Calendar> calendar_;
  std::unique_ptr<CalendarEvents> events_;
  EventSinks sinks_;
  DispatchTable table_;
};

}  // namespace dnovar
