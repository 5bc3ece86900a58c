#include "apps/common/ole/ole_control.h"

#include <string>

#include "apps/common/ole/com_property_bag.h"
#include "component/status.h"
#include "host/activex/com_boundary.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar::ole {

namespace {

// A control without `Interface` is error 430, as the run time reports a missing interface.
template <typename Interface>
ComRef<Interface> required(IUnknown& object) {
  ComRef<Interface> found;
  if (FAILED(object.QueryInterface(interface_id<Interface>(), found.put_void())))
    throw error_from_status(Status::no_interface);
  return found;
}

struct EventInterface {
  IID id{};
  ComRef<ITypeInfo> type;
};

// The class's default source interface: the one IProvideClassInfo2 names, else the source the
// class's type information marks as default, else its first source.
EventInterface default_events(IUnknown& object) {
  EventInterface found;
  ComRef<IProvideClassInfo> provider;
  ComRef<ITypeInfo> class_type;
  if (FAILED(object.QueryInterface(IID_IProvideClassInfo, provider.put_void())) ||
      FAILED(provider->GetClassInfo(class_type.put())))
    return found;
  IID named{};
  if (ComRef<IProvideClassInfo2> named_source = provider.query<IProvideClassInfo2>())
    named_source->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &named);
  TYPEATTR* attributes = nullptr;
  if (FAILED(class_type->GetTypeAttr(&attributes))) return found;
  const UINT count = attributes->cImplTypes;
  class_type->ReleaseTypeAttr(attributes);
  int found_rank = 0;  // 3 named, 2 default, 1 any source
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    HREFTYPE reference = 0;
    EventInterface source;
    if (FAILED(class_type->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FSOURCE) ||
        FAILED(class_type->GetRefTypeOfImplType(i, &reference)) ||
        FAILED(class_type->GetRefTypeInfo(reference, source.type.put())) ||
        FAILED(source.type->GetTypeAttr(&attributes)))
      continue;
    source.id = attributes->guid;
    source.type->ReleaseTypeAttr(attributes);
    const int rank = source.id == named ? 3 : (flags & IMPLTYPEFLAG_FDEFAULT) ? 2 : 1;
    if (rank > found_rank) {
      found = std::move(source);
      found_rank = rank;
    }
  }
  if (found_rank == 0 && named != IID{}) found.id = named;  // named, without names for its members
  return found;
}

}  // namespace

ComRef<IUnknown> OleControl::create(std::string_view prog_id) {
  const std::string cannot_create =
      "ActiveX component can't create object: " + std::string(prog_id);
  CLSID class_id{};
  const std::wstring name = wide_text(prog_id);
  if (FAILED(CLSIDFromProgID(name.c_str(), &class_id)))
    throw RuntimeError(error_number::cannot_create_object,
                       cannot_create + " is not registered (regsvr32 dnovar.ocx)");
  ComRef<IUnknown> object;
  if (FAILED(CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              object.put_void())))
    throw RuntimeError(error_number::cannot_create_object,
                       cannot_create + " (its module does not load or refuses)");
  return object;
}

OleControl::OleControl(ComRef<IUnknown> object, ComRef<OleClientSite> site, SinkListener& listener)
    : site_(std::move(site)),
      object_(required<IOleObject>(*object)),
      dispatch_(required<IDispatch>(*object)),
      control_(object.query<IOleControl>()) {
  try {
    connect(listener);
  } catch (...) {
    tear_down();
    throw;
  }
}

OleControl::~OleControl() {
  tear_down();
}

void OleControl::connect(SinkListener& listener) {
  check_com(object_->SetClientSite(site_.get()), "giving the control its site");
  EventInterface events = default_events(*object_);
  ComRef<ITypeInfo> control_type;
  dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, control_type.put());
  events_ = events.id;
  sinks_ =
      make_com<ControlSinks>(listener, events.id, std::move(events.type), std::move(control_type));
  if (events_ != IID{}) advise(*static_cast<IDispatch*>(sinks_.get()), events_, events_cookie_);
  advise(*static_cast<IPropertyNotifySink*>(sinks_.get()), IID_IPropertyNotifySink,
         changes_cookie_);
}

void OleControl::tear_down() noexcept {
  unadvise(IID_IPropertyNotifySink, changes_cookie_);
  if (events_cookie_ != 0) unadvise(events_, events_cookie_);
  if (sinks_) sinks_->disconnect();
  if (ComRef<IOleInPlaceObject> in_place = object_.query<IOleInPlaceObject>())
    in_place->InPlaceDeactivate();
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
}

void OleControl::advise(IUnknown& sink, REFIID iid, DWORD& cookie) {
  ComRef<IConnectionPointContainer> container = object_.query<IConnectionPointContainer>();
  ComRef<IConnectionPoint> point;
  if (!container || FAILED(container->FindConnectionPoint(iid, point.put()))) return;
  check_com(point->Advise(&sink, &cookie), "connecting to the control's notifications");
}

void OleControl::unadvise(REFIID iid, DWORD cookie) {
  ComRef<IConnectionPointContainer> container = object_.query<IConnectionPointContainer>();
  ComRef<IConnectionPoint> point;
  if (cookie != 0 && container && SUCCEEDED(container->FindConnectionPoint(iid, point.put())))
    point->Unadvise(cookie);
}

void OleControl::init_new() {
  ole::init_new(*object_);
}

void OleControl::load(MemoryBag& bag) {
  ole::load(*object_, bag);
}

void OleControl::save(MemoryBag& bag) {
  ole::save(*object_, bag);
}

void OleControl::activate(const RECT& position) {
  site_->set_position(position);
  HWND form = nullptr;
  site_->GetWindow(&form);
  check_com(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, form, &position),
            "activating the control");
}

SIZE OleControl::size() const {
  SIZEL extent{};
  object_->GetExtent(DVASPECT_CONTENT, &extent);
  const HDC screen = GetDC(nullptr);
  const SIZE pixels{MulDiv(extent.cx, GetDeviceCaps(screen, LOGPIXELSX), 2540),
                    MulDiv(extent.cy, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  ReleaseDC(nullptr, screen);
  return pixels;
}

HWND OleControl::window() const {
  ComRef<IOleInPlaceObject> in_place = object_.query<IOleInPlaceObject>();
  HWND window = nullptr;
  if (in_place && site_->in_place_active()) in_place->GetWindow(&window);
  return window;
}

void init_new(IUnknown& control) {
  check_com(required<IPersistPropertyBag>(control)->InitNew(), "initialising the control");
}

void load(IUnknown& control, MemoryBag& bag) {
  const ComRef<IPersistPropertyBag> persist = required<IPersistPropertyBag>(control);
  const ComRef<ComPropertyBag> reading = make_com<ComPropertyBag>(bag);
  const HRESULT result = persist->Load(reading.get(), nullptr);
  reading->close();
  check_com(result, "loading the control");
}

void save(IUnknown& control, MemoryBag& bag) {
  const ComRef<IPersistPropertyBag> persist = required<IPersistPropertyBag>(control);
  const ComRef<ComPropertyBag> writing = make_com<ComPropertyBag>(bag);
  // Every property, and the control's state is now the saved one (the script host's `save`, the
  // container's file and its snapshots alike).
  const HRESULT result = persist->Save(writing.get(), TRUE, TRUE);
  writing->close();
  check_com(result, "saving the control");
}

}  // namespace dnovar::ole
