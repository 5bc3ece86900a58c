#include "host/activex/activex_control.h"

#include <functional>

#include "component/bag_file.h"
#include "component/object.h"
#include "core/surface_layout.h"
#include "host/activex/com_guid.h"
#include "host/activex/module_library.h"
#include "host/activex/object_hold.h"
#include "host/activex/stream_format.h"
#include "host/activex/variant_bridge.h"
#include "host/dnovar_control.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

constexpr wchar_t kControlWindowClass[] = L"DnovarControl";
constexpr wchar_t kParkingWindowClass[] = L"DnovarControlParking";

bool register_window_class(const wchar_t* name) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = this_module();
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The extender's Name through the container's control site, read late-bound by name.
std::string read_extender_name(IOleClientSite& site) {
  ComRef<IOleControlSite> control_site;
  ComRef<IDispatch> extender;
  if (FAILED(site.QueryInterface(IID_IOleControlSite, control_site.put_void())) ||
      FAILED(control_site->GetExtendedControl(extender.put())) || !extender) {
    raise_not_supported();
  }
  LPOLESTR name = const_cast<LPOLESTR>(L"Name");
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(extender->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
    raise_not_supported();
  DISPPARAMS none{};
  ComVariant value;
  ExcepInfo exception;
  if (FAILED(extender->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              value.put(), exception.get(), nullptr))) {
    raise_not_supported();
  }
  return variant_from_com(*value).to_string();
}

// Marks the control's own start for its length: it is nobody's change, so nothing is notified.
class QuietStart {
 public:
  explicit QuietStart(bool& starting) : starting_(starting), before_(starting) { starting = true; }
  ~QuietStart() { starting_ = before_; }
  QuietStart(const QuietStart&) = delete;
  QuietStart& operator=(const QuietStart&) = delete;

 private:
  bool& starting_;
  bool before_;
};

// Hears the component's events and hands them to the control's connection point.
class ConnectionPointRelay final : public ObjectBase<EventSink> {
 public:
  explicit ConnectionPointRelay(std::function<void(DispatchId)> fire) : fire_(std::move(fire)) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    fire_(id);
    return Status::ok;
  }

 private:
  std::function<void(DispatchId)> fire_;
};

}  // namespace

ActiveXControl::ActiveXControl()
    : events_point_(*this, windows_guid(kDnovarEventsId), true),
      property_point_(*this, IID_IPropertyNotifySink, false) {}

ActiveXControl::~ActiveXControl() {
  destroying_ = true;
  events_point_.clear();
  property_point_.clear();
  // The widgets go before the windows they live in.
  if (hosting_) hosting_->set_site(nullptr, nullptr);
  hosting_.reset();
  calendar_.reset();
  toolkit_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  if (parking_window_ != nullptr) DestroyWindow(parking_window_);
}

ComRef<ActiveXControl> ActiveXControl::create() {
  ComRef<ActiveXControl> control = make_com<ActiveXControl>();
  if (!control->build()) control.reset();
  return control;
}

bool ActiveXControl::build() {
  if (!register_window_class(kParkingWindowClass) || !register_window_class(kControlWindowClass))
    return false;
  parking_window_ = CreateWindowExW(0, kParkingWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                    nullptr, this_module(), nullptr);
  if (parking_window_ == nullptr) return false;
  extent_ = natural_extent();
  const int dpi = 96;
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kControlWindowClass, L"",
                            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                            MulDiv(kSurfaceWidth, dpi, 1440), MulDiv(kSurfaceHeight, dpi, 1440),
                            parking_window_, nullptr, this_module(), nullptr);
  if (window_ == nullptr) return false;
  toolkit_ = std::make_unique<ControlToolkit>(window_, listener_);
  // What a container hears of that our own containers want to know: beeps, and the user's turn
  // inside a modal form.
  toolkit_->on_beep([this] {
    const ObjectHold hold(holder());
    if (ComRef<DnovarContainerSite> extras = container_extras()) extras->Beeped();
  });
  toolkit_->on_modal_idle([this](HWND form) {
    const ObjectHold hold(holder());
    BOOL acted = FALSE;
    if (ComRef<DnovarContainerSite> extras = container_extras()) extras->ModalIdle(form, &acted);
    return acted != FALSE;
  });
  // Whether the control eats Enter follows the focus (GetControlInfo): the container asks again.
  toolkit_->on_enter_box_focus_change([this] {
    const ObjectHold hold(holder());
    ComRef<IOleControlSite> control_site;
    if (client_site_) client_site_->QueryInterface(IID_IOleControlSite, control_site.put_void());
    if (control_site) control_site->OnControlInfoChanged();
  });
  calendar_ = make_object<DnovarControl, Dispatch>();
  component_ = static_cast<DnovarControl*>(calendar_.get());
  hosting_ = calendar_.query<ControlHosting>();
  ComponentPtr<EventSource> events = calendar_.query<EventSource>();
  if (!hosting_ || !events) return false;
  ComponentPtr<EventSink> relay =
      make_object<ConnectionPointRelay, EventSink>([this](DispatchId id) { fire_event(id); });
  std::uint32_t cookie = 0;
  if (failed(events->advise(kDnovarEventsId, relay.get(), &cookie))) return false;
  ExceptionInfo info;
  // The widgets are made now, in the control's window.
  return succeeded(hosting_->set_site(&site_, &info));
}

void ActiveXControl::start_if_unloaded() {
  if (persistence_started_) return;
  persistence_started_ = true;
  const QuietStart quiet(starting_itself_);
  ExceptionInfo info;
  check_status(hosting_->init_new(&info), &info);
  start_from_own_save();
  mark_clean();
}

void ActiveXControl::start_from_own_save() {
  const QuietStart quiet(starting_itself_);
  MemoryBag saved;
  ExceptionInfo info;
  check_status(hosting_->save(saved, &info), &info);
  check_status(hosting_->load(saved, &info), &info);
}

bool ActiveXControl::read_user_mode() {
  if (!client_site_) return true;
  const ObjectHold hold(holder());
  ComRef<IDispatch> ambients = client_site_.query<IDispatch>();
  if (!ambients) return true;
  DISPPARAMS none{};
  ComVariant value;
  if (FAILED(ambients->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT,
                              DISPATCH_PROPERTYGET, &none, value.put(), nullptr, nullptr)) ||
      FAILED(VariantChangeType(value.get(), value.get(), 0, VT_BOOL))) {
    return true;
  }
  return V_BOOL(value.get()) != VARIANT_FALSE;
}

std::optional<std::vector<std::uint8_t>> ActiveXControl::saved_image() {
  std::vector<std::uint8_t> image;
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    MemoryBag bag;
    if (const Status saved = hosting_->save(bag, &info); failed(saved)) return saved;
    image = encode_settings(bag);
    return Status::ok;
  });
  if (failed(status)) return std::nullopt;
  return image;
}

void ActiveXControl::mark_clean() {
  dirty_ = false;
  clean_image_ = saved_image();
}

bool ActiveXControl::is_dirty() {
  if (dirty_ || !clean_image_) return dirty_;
  return saved_image() != clean_image_;
}

std::string ActiveXControl::CalendarSite::extender_name() {
  // Without a container nobody names the control: it is the first of its class, as a container
  // would name it.
  if (!control_.client_site_) return "Dnovar1";
  const ObjectHold hold(control_.holder());
  return read_extender_name(*control_.client_site_);
}

void ActiveXControl::CalendarSite::property_changed(std::string_view name) {
  if (control_.starting_itself_) return;
  const Function* function =
      find_function(dnovar_type_library().types.at(kDnovarInterfaceIndex), name);
  control_.dirty_ = true;
  if (function != nullptr) control_.notify_changed(function->id);
  control_.view_changed();
}

void ActiveXControl::CalendarSite::raise_event(std::string_view, int dispatch_id) {
  control_.fire_event(dispatch_id);
}

void ActiveXControl::fire_event(DISPID id) {
  // A container that froze its events does not want them now, nor one that designs its form.
  if (frozen_events_ > 0 || !user_mode_) return;
  const ObjectHold hold(holder());
  events_point_.for_each_sink([&](IUnknown& sink) {
    DISPPARAMS none{};
    static_cast<IDispatch&>(sink).Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                         nullptr, nullptr, nullptr);
  });
}

ComRef<DnovarContainerSite> ActiveXControl::container_extras() const {
  ComRef<DnovarContainerSite> extras;
  if (client_site_) client_site_->QueryInterface(DnovarContainerSite::iid, extras.put_void());
  return extras;
}

DateSerial ActiveXControl::CalendarSite::ContainerClock::today() const {
  DATE date = 0;
  const ObjectHold hold(control_.holder());
  if (ComRef<DnovarContainerSite> extras = control_.container_extras();
      extras && extras->Today(&date) == S_OK) {
    return date;
  }
  return system_.today();
}

void ActiveXControl::CalendarSite::report_error(const RuntimeError& error) {
  const ObjectHold hold(control_.holder());
  if (ComRef<DnovarContainerSite> extras = control_.container_extras()) {
    const Bstr description(error.what());
    extras->ErrorContained(error.number(), description.get());
    return;
  }
  // An error of a handler the user started: shown where the user is, the control stays usable.
  // A control nobody shows has no user to tell; the debugger hears of it.
  const std::wstring text = L"Run-time error '" + std::to_wstring(error.number()) + L"':\n\n" +
                            std::wstring(wide_text(error.what()));
  if (control_.in_place_active_) {
    MessageBoxW(control_.window_, text.c_str(), L"Dnovar", MB_OK | MB_ICONEXCLAMATION);
  } else {
    OutputDebugStringW(text.c_str());
  }
}

void ActiveXControl::notify_changed(DISPID id) {
  const ObjectHold hold(holder());
  property_point_.for_each_sink(
      [&](IUnknown& sink) { static_cast<IPropertyNotifySink&>(sink).OnChanged(id); });
}

void ActiveXControl::view_changed() {
  if (!view_sink_) return;
  const ObjectHold hold(holder());
  ComRef<IAdviseSink> sink = view_sink_;  // the container may replace it meanwhile
  sink->OnViewChange(DVASPECT_CONTENT, -1);
}

void ActiveXControl::focus_changed(bool entered) {
  const ObjectHold hold(holder());
  ComRef<IOleControlSite> control_site;
  if (client_site_) client_site_->QueryInterface(IID_IOleControlSite, control_site.put_void());
  if (control_site) control_site->OnFocus(entered ? TRUE : FALSE);
  if (entered && !ui_active_ && client_site_)
    activate_in_place(client_site_.get(), true, nullptr, nullptr);
}

SIZEL ActiveXControl::natural_extent() const {
  // Twips to HIMETRIC (hundredths of a millimetre): 1440 twips are 2540 of them.
  return SIZEL{MulDiv(kSurfaceWidth, 2540, 1440), MulDiv(kSurfaceHeight, 2540, 1440)};
}

}  // namespace dnovar
