#include "apps/script/ole/ole_control.h"

#include <olectl.h>

#include "com/com_object.h"
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

const ErrorOrigin kBagOrigin{"dnovar script", &IID_IPropertyBag};

// A failed call on the control as the script host's interfaces report it: the run-time error it
// stands for, with the control named as its source.
Status failure_status(HRESULT result, ExcepInfo* exception, ExceptionInfo* info) {
  const Status status = status_from_error(error_from_com(result, exception), info);
  if (info != nullptr) info->source = kDnovarProgId;
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

// The script host's bags as a container's IPropertyBag, lent to the control for one Load or Save
// and closed after it.
class BagOverMemory final : public ComObject<IPropertyBag> {
 public:
  explicit BagOverMemory(MemoryBag& bag) : bag_(&bag) {}
  void close() { bag_ = nullptr; }
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR key, VARIANT* value, IErrorLog*) override {
    if (key == nullptr || value == nullptr) return E_POINTER;
    if (bag_ == nullptr) return E_UNEXPECTED;
    return com_boundary(kBagOrigin, [&] {
      const Variant* stored = bag_->find(utf8_text(key));
      if (stored == nullptr) return E_INVALIDARG;
      // On entry the caller's value holds only the type it asks for; there is nothing to free.
      *value = com_from_variant(*stored).detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR key, VARIANT* value) override {
    if (key == nullptr || value == nullptr) return E_POINTER;
    if (bag_ == nullptr) return E_UNEXPECTED;
    return com_boundary(kBagOrigin, [&] {
      try {
        bag_->set(utf8_text(key), variant_from_com(*value));
      } catch (const RuntimeError&) {
        return DISP_E_TYPEMISMATCH;
      }
      return S_OK;
    });
  }

 private:
  MemoryBag* bag_;
};

MemoryBag& memory_bag(PropertyBag& bag) {
  // The script host keeps its bags in memory; a control it hosts reads and writes them through
  // COM.
  auto* memory = dynamic_cast<MemoryBag*>(&bag);
  if (memory == nullptr) raise_invalid_argument();
  return *memory;
}

}  // namespace

OleControl::OleControl(ComRef<IDispatch> control, OleHostCallbacks callbacks)
    : control_(std::move(control)),
      inspection_(required_interface<DnovarInspection>(control_)),
      surface_(std::make_unique<RemoteSurface>(inspection_)),
      callbacks_(std::move(callbacks)) {}

OleControl::~OleControl() {
  detach();
}

HWND OleControl::window() const {
  HWND window = nullptr;
  if (ComRef<IOleWindow> ole = control_.query<IOleWindow>()) ole->GetWindow(&window);
  return window;
}

void OleControl::attach() {
  const ComRef<IOleObject> object = required_interface<IOleObject>(control_);
  const ComRef<IConnectionPointContainer> points =
      required_interface<IConnectionPointContainer>(control_);
  const int width = MulDiv(kSurfaceWidth, 96, 1440), height = MulDiv(kSurfaceHeight, 96, 1440);
  const RECT area{0, 0, width, height};
  ole_site_ = make_com<OleSite>(static_cast<OleSiteListener&>(*this), callbacks_.place, area);
  check_com(object->SetClientSite(ole_site_.get()));
  ComRef<IConnectionPoint> events, notifications;
  check_com(points->FindConnectionPoint(windows_guid(kDnovarEventsId), events.put()));
  check_com(events->Advise(ole_site_->event_sink(), &event_cookie_));
  check_com(points->FindConnectionPoint(IID_IPropertyNotifySink, notifications.put()));
  check_com(notifications->Advise(ole_site_->notify_sink(), &notify_cookie_));
  check_com(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, ole_site_.get(), 0, callbacks_.place,
                           &area));
}

void OleControl::detach() {
  if (!ole_site_) return;
  if (ComRef<IConnectionPointContainer> points = control_.query<IConnectionPointContainer>()) {
    ComRef<IConnectionPoint> point;
    if (points->FindConnectionPoint(windows_guid(kDnovarEventsId), point.put()) == S_OK)
      point->Unadvise(event_cookie_);
    if (points->FindConnectionPoint(IID_IPropertyNotifySink, point.put()) == S_OK)
      point->Unadvise(notify_cookie_);
  }
  if (ComRef<IOleObject> object = control_.query<IOleObject>()) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  ole_site_->disconnect();
  ole_site_.reset();
}

Status OleControl::get_ids_of_names(std::string_view name, DispatchId* id) {
  if (id == nullptr) return Status::pointer;
  std::wstring wide = wide_text(name);
  LPOLESTR names = wide.data();
  DISPID found = DISPID_UNKNOWN;
  const HRESULT result = control_->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &found);
  *id = found;
  return result == DISP_E_UNKNOWNNAME ? Status::member_not_found : static_cast<Status>(result);
}

Status OleControl::invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& args,
                          Variant* result, ExceptionInfo* info) {
  return guarded_call(info, [&] {
    // The arguments go last first, as DISPPARAMS has them; they are owned here until the call
    // returns, and the callee reads them through `passed`, which owns nothing.
    std::vector<ComVariant> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it)
      reversed.push_back(com_from_variant(*it));
    std::vector<VARIANT> passed;
    passed.reserve(reversed.size());
    for (const ComVariant& argument : reversed) passed.push_back(*argument);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{passed.data(), nullptr, static_cast<UINT>(passed.size()), 0};
    WORD flags = DISPATCH_METHOD;
    if (kind == InvokeKind::property_get) flags = DISPATCH_PROPERTYGET;
    if (kind == InvokeKind::property_put) {
      flags = DISPATCH_PROPERTYPUT;
      parameters.rgdispidNamedArgs = &put;
      parameters.cNamedArgs = 1;
    }
    ComVariant value;
    ExcepInfo exception;
    UINT argument_error = 0;
    const HRESULT outcome = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                             value.get(), exception.get(), &argument_error);
    if (FAILED(outcome)) return failure_status(outcome, &exception, info);
    if (result != nullptr) *result = variant_from_com(*value);
    return Status::ok;
  });
}

Status OleControl::get_type_info(TypeInfoRef* out) {
  if (out == nullptr) return Status::pointer;
  *out = TypeInfoRef{&dnovar_type_library(), kDnovarInterfaceIndex};
  return Status::ok;
}

Status OleControl::advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) {
  if (sink == nullptr || cookie == nullptr) return Status::pointer;
  if (source_iid != kDnovarEventsId) return Status::no_interface;
  *cookie = sinks_.advise(*sink);
  return Status::ok;
}

Status OleControl::unadvise(std::uint32_t cookie) {
  return sinks_.unadvise(cookie) ? Status::ok : Status::invalid_argument;
}

Status OleControl::set_site(ControlSite* site, ExceptionInfo* info) {
  return guarded_call(info, [&] {
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

Status OleControl::init_new(ExceptionInfo* info) {
  return guarded_call(info, [&] {
    // `new` places the control: initialised as a form designer leaves it, started by nothing
    // but the script's own calls.
    const ComRef<IPersistPropertyBag> persist = required_interface<IPersistPropertyBag>(control_);
    HRESULT result = S_OK;
    {
      const ole::DesignTime designing(*ole_site_, control_.get());
      result = persist->InitNew();
    }
    return FAILED(result) ? failure_status(result, nullptr, info) : Status::ok;
  });
}

Status OleControl::load(PropertyBag& bag, ExceptionInfo* info) {
  return guarded_call(info, [&] {
    const ComRef<IPersistPropertyBag> persist = required_interface<IPersistPropertyBag>(control_);
    const ComRef<BagOverMemory> container_bag = make_com<BagOverMemory>(memory_bag(bag));
    const HRESULT result = persist->Load(container_bag.get(), nullptr);
    container_bag->close();
    return FAILED(result) ? failure_status(result, nullptr, info) : Status::ok;
  });
}

Status OleControl::save(PropertyBag& bag, ExceptionInfo* info) {
  return guarded_call(info, [&] {
    const ComRef<IPersistPropertyBag> persist = required_interface<IPersistPropertyBag>(control_);
    const ComRef<BagOverMemory> container_bag = make_com<BagOverMemory>(memory_bag(bag));
    const HRESULT result = persist->Save(container_bag.get(), TRUE, TRUE);
    container_bag->close();
    return FAILED(result) ? failure_status(result, nullptr, info) : Status::ok;
  });
}

Status OleControl::read_state(CalendarState* state, ExceptionInfo* info) {
  if (state == nullptr) return Status::pointer;
  return guarded_call(info, [&] {
    for (std::size_t i = 0; i < kStateMemberCount; ++i) {
      ComVariant value;
      const HRESULT result = inspection_->ReadMember(static_cast<LONG>(i), value.put());
      if (FAILED(result)) return failure_status(result, nullptr, info);
      set_state_member(*state, i, variant_from_com(*value));
    }
    return Status::ok;
  });
}

std::string OleControl::extender_name() {
  if (site_ == nullptr) raise_not_supported();
  return site_->extender_name();
}

DateSerial OleControl::today() {
  return site_ != nullptr ? site_->clock().today() : SystemClock().today();
}

void OleControl::error_contained(const RuntimeError& error) {
  if (site_ != nullptr) site_->report_error(error);
}

void OleControl::beeped() {
  if (callbacks_.beeped) callbacks_.beeped();
}

bool OleControl::modal_idle(HWND form) {
  return callbacks_.modal_idle && callbacks_.modal_idle(form);
}

void OleControl::property_changed(DISPID id) {
  const TypeInfo& type = dnovar_type_library().types[kDnovarInterfaceIndex];
  const Function* function = find_function(type, id, InvokeKind::property_put);
  if (site_ != nullptr && function != nullptr) site_->property_changed(function->name);
}

void OleControl::event_raised(DISPID id) {
  sinks_.raise(id);
}

}  // namespace dnovar::script
