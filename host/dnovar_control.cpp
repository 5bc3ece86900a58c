#include "host/dnovar_control.h"

#include "host/about_dialog.h"
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
  // A public field: read and written as is, no notification, no refresh.
  auto field = [this](const char* name, Int16 CalendarState::*member) {
    return std::vector<MemberBinding>{
        {name, InvokeKind::property_get,
         [this, member](Args&) { return Variant::i2(require_calendar().state().*member); }},
        {name, InvokeKind::property_put, [this, member](Args& a) {
           require_calendar().state().*member = a[0].to_i2();
           return Variant();
         }}};
  };
  std::vector<MemberBinding> all;
  for (auto [name, member] :
       {std::pair{"Dtyd", &CalendarState::Dtyd}, std::pair{"Dtyd1", &CalendarState::Dtyd1},
        std::pair{"Dlow", &CalendarState::Dlow}, std::pair{"Dhigh", &CalendarState::Dhigh},
        std::pair{"Dplus", &CalendarState::Dplus}}) {
    for (MemberBinding& binding : field(name, member)) all.push_back(std::move(binding));
  }
  all.push_back({"Svatky", InvokeKind::property_get, [this](Args&) {
                   return Variant::boolean(require_calendar().state().Svatky != 0);
                 }});
  all.push_back({"Svatky", InvokeKind::property_put, [this](Args& a) {
                   require_calendar().state().Svatky = a[0].to_bool();
                   return Variant();
                 }});
  all.push_back({"Aktualizuj", InvokeKind::method, [this](Args& a) {
                   // Reads k and never writes it back.
                   require_calendar().Aktualizuj(a[0].to_i2());
                   return Variant();
                 }});
  all.push_back({"Caption", InvokeKind::property_get,
                 [this](Args&) { return Variant::string(require_calendar().Caption()); }});
  all.push_back({"Caption", InvokeKind::property_put, [this](Args& a) {
                   require_calendar().put_Caption(a[0].to_string());
                   return Variant();
                 }});
  all.push_back({"VyberColor", InvokeKind::property_get,
                 [this](Args&) { return Variant::i4(require_calendar().VyberColor()); }});
  all.push_back({"VyberColor", InvokeKind::property_put, [this](Args& a) {
                   require_calendar().put_VyberColor(a[0].to_i4());
                   return Variant();
                 }});
  all.push_back({"Datum", InvokeKind::property_get,
                 [this](Args&) { return Variant::date(require_calendar().Datum()); }});
  all.push_back({"Datum", InvokeKind::property_put, [this](Args& a) {
                   require_calendar().put_Datum(a[0].to_date());
                   return Variant();
                 }});
  all.push_back({"Velikonoce", InvokeKind::method, [this](Args& a) {
                   return Variant::date(require_calendar().Velikonoce(a[0].to_i2()));
                 }});
  all.push_back({"Enabled", InvokeKind::property_get,
                 [this](Args&) { return Variant::boolean(require_calendar().Enabled() != 0); }});
  all.push_back({"Enabled", InvokeKind::property_put, [this](Args& a) {
                   require_calendar().put_Enabled(a[0].to_bool() != 0);
                   return Variant();
                 }});
  all.push_back({"ShowAbout", InvokeKind::method, [this](Args&) {
                   show_about_dialog(inner_site_.toolkit(), inner_site_);
                   return Variant();
                 }});
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
