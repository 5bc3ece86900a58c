#include "apps/container/win32/ole_control.h"

#include "apps/container/win32/com_property_bag.h"
#include "host/activex/com_boundary.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar::container {

namespace {

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

OleControl::OleControl(std::string_view prog_id, ComRef<ole::ContainerSite> site,
                       SinkListener& listener)
    : site_(std::move(site)) {
  CLSID class_id{};
  const std::wstring name = wide_text(prog_id);
  if (FAILED(CLSIDFromProgID(name.c_str(), &class_id)))
    throw RuntimeError(error_number::cannot_create_object,
                       "ActiveX component can't create object: " + std::string(prog_id) +
                           " is not registered (regsvr32 dnovar.ocx)");
  check_com(
      CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.put_void()),
      "creating " + std::string(prog_id));
  dispatch_ = object_.query<IDispatch>();
  control_ = object_.query<IOleControl>();
  if (!dispatch_)
    throw RuntimeError(error_number::no_such_interface,
                       "Class does not support Automation or does not support expected interface");
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

// The site before anything else: the control reads its extender's Name when it loads.
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

ComRef<IPersistPropertyBag> OleControl::persistence() const {
  ComRef<IPersistPropertyBag> persist = object_.query<IPersistPropertyBag>();
  if (!persist) raise_com_error(E_NOINTERFACE, nullptr, "IPersistPropertyBag");
  return persist;
}

void OleControl::init_new() {
  check_com(persistence()->InitNew(), "initialising the control");
}

void OleControl::load(MemoryBag& bag) {
  const ComRef<IPersistPropertyBag> persist = persistence();
  const ComRef<ComPropertyBag> reading = make_com<ComPropertyBag>(bag);
  const HRESULT result = persist->Load(reading.get(), nullptr);
  reading->close();
  check_com(result, "loading the control");
}

void OleControl::save(MemoryBag& bag) {
  const ComRef<IPersistPropertyBag> persist = persistence();
  const ComRef<ComPropertyBag> writing = make_com<ComPropertyBag>(bag);
  const HRESULT result = persist->Save(writing.get(), TRUE, FALSE);
  writing->close();
  check_com(result, "saving the control");
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

}  // namespace dnovar::container
