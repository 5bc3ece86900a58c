#include "host/dnovar_control.h"

#include "host/control_members.h"
#include "host/persistence.h"
#include "host/type_library.h"

namespace dnovar {

namespace {
// The automation boundary for calls that return nothing but their status.
template <typename Body>
Status guarded(ExceptionInfo* info, Body&& body) noexcept {
  return guarded_call(info, [&] {
    body();
    return Status::ok;
  });
}

[[noreturn]] void raise_no_site() {
  raise_object_not_set();
}
}  // namespace

ControlSite& DnovarControl::InnerSite::host() {
  if (control_.host_site_ == nullptr) raise_no_site();
  return *control_.host_site_;
}

DnovarControl::DnovarControl()
    : table_(dnovar_type_library(), kDnovarInterfaceIndex, bindings(), kDnovarProgId) {}

DnovarControl::~DnovarControl() {
  // The widgets go before the site they were built with.
  events_.reset();
  calendar_.reset();
}

Calendar& DnovarControl::require_calendar() {
  if (!calendar_) raise_no_site();
  return *calendar_;
}

std::vector<MemberBinding> DnovarControl::bindings() {
  std::vector<MemberBinding> all;
  for (const ControlMember& member : control_members()) {
    const std::string name(member.name);
    switch (member.kind) {
      case MemberKind::field:
      case MemberKind::property:
        all.push_back({name, InvokeKind::property_get,
                       [this, get = member.get](Args&) { return get(require_calendar()); }});
        all.push_back({name, InvokeKind::property_put, [this, put = member.put](Args& a) {
                         put(require_calendar(), a[0]);
                         return Variant();
                       }});
        break;
      case MemberKind::method:
        all.push_back({name, InvokeKind::method, [this, call = member.call](Args& a) {
                         return call(require_calendar(), a);
                       }});
        break;
      case MemberKind::state:
        break;
    }
  }
  return all;
}

Status DnovarControl::get_ids_of_names(std::string_view name, DispatchId* id) {
  return table_.get_ids_of_names(name, id);
}

Status DnovarControl::invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& args,
                             Variant* result, ExceptionInfo* info) {
  return table_.invoke(id, kind, args, result, info);
}

Status DnovarControl::get_type_info(TypeInfoRef* out) {
  return table_.get_type_info(out);
}

Status DnovarControl::advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) {
  if (sink == nullptr || cookie == nullptr) return Status::pointer;
  if (source_iid != kDnovarEventsId) return Status::no_interface;
  *cookie = sinks_.advise(*sink);
  return Status::ok;
}

Status DnovarControl::unadvise(std::uint32_t cookie) {
  return sinks_.unadvise(cookie) ? Status::ok : Status::invalid_argument;
}

Status DnovarControl::set_site(ControlSite* site, ExceptionInfo* info) {
  return guarded(info, [&] {
    if (site == nullptr) {
      events_.reset();
      calendar_.reset();
      host_site_ = nullptr;
      return;
    }
    host_site_ = site;
    // The widgets exist from the first site on, built with its toolkit.
    if (!calendar_) {
      calendar_ = std::make_unique<Calendar>(inner_site_);
      events_ = std::make_unique<CalendarEvents>(*calendar_);
    }
  });
}

Status DnovarControl::init_new(ExceptionInfo* info) {
  return guarded(info, [&] { initialise_new(require_calendar()); });
}

Status DnovarControl::load(PropertyBag& bag, ExceptionInfo* info) {
  return guarded(info, [&] { load_properties(require_calendar(), bag); });
}

Status DnovarControl::save(PropertyBag& bag, ExceptionInfo* info) {
  return guarded(info, [&] { save_properties(require_calendar(), bag); });
}

Status DnovarControl::read_state(CalendarState* state, ExceptionInfo* info) {
  if (state == nullptr) return Status::pointer;
  return guarded(info, [&] { *state = require_calendar().state(); });
}

}  // namespace dnovar
