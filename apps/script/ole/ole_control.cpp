#include "apps/script/ole/ole_control.h"

#include <olectl.h>

#include "com/bag_file.h"
#include "com/windows/com_guid.h"
#include "com/windows/variant_bridge.h"
#include "core/surface_layout.h"
#include "host/activex/state_members.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar::script {

namespace {

// A failed COM call as the component model reports it: the run-time error of an exception (its
// number from the control error 0x800A.... in scode, its text), or the status itself.
Status status_of(HRESULT result, const EXCEPINFO* exception, ExceptionInfo* info) {
  if (SUCCEEDED(result)) return Status::ok;
  auto code = static_cast<std::uint32_t>(result);
  std::string description;
  if (result == DISP_E_EXCEPTION && exception != nullptr) {
    code = static_cast<std::uint32_t>(exception->scode);
    description = utf8_from_bstr(exception->bstrDescription);
  } else {
    ComRef<IErrorInfo> error;
    BSTR text = nullptr;
    if (GetErrorInfo(0, error.put()) == S_OK && SUCCEEDED(error->GetDescription(&text))) {
      description = utf8_from_bstr(text);
      SysFreeString(text);
    }
  }
  if ((code & 0xFFFF0000u) != 0x800A0000u) return static_cast<Status>(code);
  const int number = static_cast<int>(code & 0xFFFF);
  if (info == nullptr) return control_error_status(number);
  *info = ExceptionInfo{number, kDnovarProgId, description, control_error_status(number)};
  return Status::exception;
}

// The script host's bags as a container's IPropertyBag.
class BagOverMemory final : public ContainerObject, public IPropertyBag {
 public:
  explicit BagOverMemory(MemoryBag& bag) : bag_(bag) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPropertyBag) return E_NOINTERFACE;
    *out = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return add_ref(); }
  ULONG STDMETHODCALLTYPE Release() override { return release(); }
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR key, VARIANT* value, IErrorLog*) override {
    if (key == nullptr || value == nullptr) return E_POINTER;
    const Variant* stored = bag_.find(utf8_text(key));
    if (stored == nullptr) return E_INVALIDARG;
    VariantClear(value);
    *value = com_from_variant(*stored).detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR key, VARIANT* value) override {
    if (key == nullptr || value == nullptr) return E_POINTER;
    try {
      bag_.set(utf8_text(key), variant_from_com(*value));
      return S_OK;
    } catch (const RuntimeError&) {
      return DISP_E_TYPEMISMATCH;
    }
  }

 private:
  MemoryBag& bag_;
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
    : control_(std::move(control)), callbacks_(std::move(callbacks)) {
  control_->QueryInterface(DnovarInspection::iid, inspection_.put_void());
  if (!inspection_)
    throw RuntimeError(error_number::no_such_interface,
                       "Class does not support Automation or does not support expected interface");
  surface_ = std::make_unique<RemoteSurface>(inspection_);
}

OleControl::~OleControl() {
  detach();
}

HWND OleControl::window() const {
  HWND window = nullptr;
  if (ComRef<IOleWindow> ole = control_.query<IOleWindow>()) ole->GetWindow(&window);
  return window;
}

void OleControl::attach() {
  const int width = MulDiv(kSurfaceWidth, 96, 1440), height = MulDiv(kSurfaceHeight, 96, 1440);
  const RECT area{0, 0, width, height};
  ole_site_ = new OleSite(*this, callbacks_.place, area);
  ComRef<IOleObject> object = control_.query<IOleObject>();
  check_status(static_cast<Status>(object->SetClientSite(ole_site_)));
  ComRef<IConnectionPointContainer> points = control_.query<IConnectionPointContainer>();
  ComRef<IConnectionPoint> events, notifications;
  check_status(static_cast<Status>(
      points->FindConnectionPoint(windows_guid(kDnovarEventsId), events.put())));
  check_status(static_cast<Status>(events->Advise(ole_site_->event_sink(), &event_cookie_)));
  check_status(static_cast<Status>(
      points->FindConnectionPoint(IID_IPropertyNotifySink, notifications.put())));
  check_status(
      static_cast<Status>(notifications->Advise(ole_site_->notify_sink(), &notify_cookie_)));
  check_status(static_cast<Status>(
      object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, ole_site_, 0, callbacks_.place, &area)));
}

void OleControl::detach() {
  if (ole_site_ == nullptr) return;
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
  ole_site_->Release();
  ole_site_ = nullptr;
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
    // The arguments go last first, as DISPPARAMS has them.
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
      reversed.push_back(com_from_variant(*it).detach());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    WORD flags = DISPATCH_METHOD;
    if (kind == InvokeKind::property_get) flags = DISPATCH_PROPERTYGET;
    if (kind == InvokeKind::property_put) {
      flags = DISPATCH_PROPERTYPUT;
      parameters.rgdispidNamedArgs = &put;
      parameters.cNamedArgs = 1;
    }
    VARIANT value;
    VariantInit(&value);
    EXCEPINFO exception{};
    UINT argument_error = 0;
    const HRESULT outcome = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                             &value, &exception, &argument_error);
    for (VARIANT& argument : reversed) VariantClear(&argument);
    const Status status = status_of(outcome, &exception, info);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (succeeded(status) && result != nullptr) *result = variant_from_com(value);
    VariantClear(&value);
    return status;
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
  ComRef<IPersistPropertyBag> persist = control_.query<IPersistPropertyBag>();
  return status_of(persist->InitNew(), nullptr, info);
}

Status OleControl::load(PropertyBag& bag, ExceptionInfo* info) {
  return guarded_call(info, [&] {
    auto* container_bag = new BagOverMemory(memory_bag(bag));
    ComRef<IPersistPropertyBag> persist = control_.query<IPersistPropertyBag>();
    const HRESULT result = persist->Load(container_bag, nullptr);
    container_bag->Release();
    return status_of(result, nullptr, info);
  });
}

Status OleControl::save(PropertyBag& bag, ExceptionInfo* info) {
  return guarded_call(info, [&] {
    auto* container_bag = new BagOverMemory(memory_bag(bag));
    ComRef<IPersistPropertyBag> persist = control_.query<IPersistPropertyBag>();
    const HRESULT result = persist->Save(container_bag, TRUE, TRUE);
    container_bag->Release();
    return status_of(result, nullptr, info);
  });
}

Status OleControl::read_state(CalendarState* state, ExceptionInfo* info) {
  if (state == nullptr) return Status::pointer;
  return guarded_call(info, [&] {
    for (std::size_t i = 0; i < kStateMemberCount; ++i) {
      VARIANT value;
      VariantInit(&value);
      const HRESULT result = inspection_->ReadMember(static_cast<LONG>(i), &value);
      if (FAILED(result)) return status_of(result, nullptr, info);
      Variant member = variant_from_com(value);
      VariantClear(&value);
      set_state_member(*state, i, member);
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
