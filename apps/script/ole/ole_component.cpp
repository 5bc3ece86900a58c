#include "apps/script/ole/ole_component.h"

#include <optional>

#include "apps/common/ole/dispatch_calls.h"
#include "component/bag_file.h"
#include "core/surface_layout.h"
#include "host/activex/com_boundary.h"
#include "host/activex/com_guid.h"
#include "host/activex/state_members.h"
#include "host/activex/variant_bridge.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar::script {

namespace {

// A call of the script host's interfaces: what it raises is its failing status, with the control
// named as the error's source.
template <typename Body>
Status reported(ExceptionInfo* info, Body&& body) {
  const Status status = guarded_call(info, std::forward<Body>(body));
  if (status == Status::exception && info != nullptr) info->source = kDnovarProgId;
  return status;
}

// The control's interface `Interface`; a control without it is error 430, as the run time
// reports a missing interface.
template <typename Interface>
ComRef<Interface> required_interface(const ComRef<IDispatch>& control) {
  ComRef<Interface> found = control.query<Interface>();
  if (!found) throw error_from_status(Status::no_interface);
  return found;
}

WORD dispatch_flags(InvokeKind kind) {
  switch (kind) {
    case InvokeKind::property_get:
      return DISPATCH_PROPERTYGET;
    case InvokeKind::property_put:
      return DISPATCH_PROPERTYPUT;
    default:
      return DISPATCH_METHOD;
  }
}

MemoryBag& memory_bag(PropertyBag& bag) {
  // The script host keeps its bags in memory; a control it hosts reads and writes them through
  // COM.
  auto* memory = dynamic_cast<MemoryBag*>(&bag);
  if (memory == nullptr) raise_invalid_argument();
  return *memory;
}

}  // namespace

OleComponent::OleComponent(ComRef<IDispatch> control, OleHostCallbacks callbacks)
    : control_(std::move(control)),
      inspection_(required_interface<DnovarInspection>(control_)),
      surface_(std::make_unique<RemoteSurface>(inspection_)),
      callbacks_(std::move(callbacks)) {}

OleComponent::~OleComponent() {
  detach();
}

void OleComponent::attach() {
  const int width = MulDiv(kSurfaceWidth, 96, 1440), height = MulDiv(kSurfaceHeight, 96, 1440);
  ole_site_ = make_com<OleSite>(static_cast<OleSiteListener&>(*this), callbacks_.place);
  hosted_ = std::make_unique<ole::OleControl>(ComRef<IUnknown>::share(control_.get()),
                                              ComRef<ole::OleClientSite>::share(ole_site_.get()),
                                              static_cast<ole::SinkListener&>(*this));
  hosted_->activate(RECT{0, 0, width, height});
}

void OleComponent::detach() {
  if (!ole_site_) return;
  hosted_.reset();
  ole_site_->disconnect();
  ole_site_.reset();
}

Status OleComponent::get_ids_of_names(std::string_view name, DispatchId* id) {
  if (id == nullptr) return Status::pointer;
  std::wstring wide = wide_text(name);
  LPOLESTR names = wide.data();
  DISPID found = DISPID_UNKNOWN;
  const HRESULT result = control_->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &found);
  *id = found;
  return result == DISP_E_UNKNOWNNAME ? Status::member_not_found : static_cast<Status>(result);
}

Status OleComponent::invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& args,
                            Variant* result, ExceptionInfo* info) {
  return reported(info, [&] {
    const Variant value = ole::invoke_member(*control_, id, dispatch_flags(kind), args);
    if (result != nullptr) *result = value;
    return Status::ok;
  });
}

Status OleComponent::get_type_info(TypeInfoRef* out) {
  if (out == nullptr) return Status::pointer;
  *out = TypeInfoRef{&dnovar_type_library(), kDnovarInterfaceIndex};
  return Status::ok;
}

Status OleComponent::advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) {
  if (sink == nullptr || cookie == nullptr) return Status::pointer;
  if (source_iid != kDnovarEventsId) return Status::no_interface;
  *cookie = sinks_.advise(*sink);
  return Status::ok;
}

Status OleComponent::unadvise(std::uint32_t cookie) {
  return sinks_.unadvise(cookie) ? Status::ok : Status::invalid_argument;
}

Status OleComponent::set_site(ControlSite* site, ExceptionInfo* info) {
  return reported(info, [&] {
    if (site == nullptr) {
      detach();
    } else if (site_ == nullptr) {
      site_ = site;
      attach();
    }
    site_ = site;
    return Status::ok;
  });
}

Status OleComponent::init_new(ExceptionInfo* info) {
  return reported(info, [&] {
    // `new` places the control: initialised as a form designer leaves it, started by nothing
    // but the script's own calls.
    std::optional<ole::DesignTime> designing;
    if (ole_site_) designing.emplace(*ole_site_, control_.get());
    ole::init_new(*control_);
    return Status::ok;
  });
}

Status OleComponent::load(PropertyBag& bag, ExceptionInfo* info) {
  return reported(info, [&] {
    ole::load(*control_, memory_bag(bag));
    return Status::ok;
  });
}

Status OleComponent::save(PropertyBag& bag, ExceptionInfo* info) {
  return reported(info, [&] {
    ole::save(*control_, memory_bag(bag));
    return Status::ok;
  });
}

Status OleComponent::read_state(CalendarState* state, ExceptionInfo* info) {
  if (state == nullptr) return Status::pointer;
  return reported(info, [&] {
    for (std::size_t i = 0; i < kStateMemberCount; ++i) {
      ComVariant value;
      check_com(inspection_->ReadMember(static_cast<LONG>(i), value.put()));
      set_state_member(*state, i, variant_from_com(*value));
    }
    return Status::ok;
  });
}

std::string OleComponent::extender_name() {
  if (site_ == nullptr) raise_not_supported();
  return site_->extender_name();
}

DateSerial OleComponent::today() {
  return site_ != nullptr ? site_->clock().today() : SystemClock().today();
}

void OleComponent::error_contained(const RuntimeError& error) {
  if (site_ != nullptr) site_->report_error(error);
}

void OleComponent::beeped() {
  if (callbacks_.beeped) callbacks_.beeped();
}

bool OleComponent::modal_idle(HWND form) {
  return callbacks_.modal_idle && callbacks_.modal_idle(form);
}

void OleComponent::control_changed(DISPID id, const std::string&) {
  const TypeInfo& type = dnovar_type_library().types[kDnovarInterfaceIndex];
  const Function* function = find_function(type, id, InvokeKind::property_put);
  if (site_ != nullptr && function != nullptr) site_->property_changed(function->name);
}

void OleComponent::control_event(DISPID id, const std::string&) {
  sinks_.raise(id);
}

}  // namespace dnovar::script
