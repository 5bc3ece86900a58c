#include "apps/script/script_instance.h"

#include "apps/script/script_site.h"
#include "host/dnovar_control.h"
#include "host/type_library.h"

namespace dnovar::script {

namespace {

// Records the control's events as the site's `event NAME` lines.
class RecordingSink final : public ObjectBase<EventSink> {
 public:
  explicit RecordingSink(ScriptSite& site) : site_(site) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    const TypeInfo& events = dnovar_type_library().types[kDnovarEventsIndex];
    const Function* event = find_function(events, id, InvokeKind::method);
    site_.record("event " + (event ? event->name : std::to_string(id)));
    return Status::ok;
  }

 private:
  ScriptSite& site_;
};

}  // namespace

std::unique_ptr<ScriptInstance> start_in_process_control(ScriptSite& site, DateSerial date) {
  const ComPtr<Dispatch> object = make_object<DnovarControl, Dispatch>();
  auto instance = std::make_unique<ScriptInstance>(ComPtr<Unknown>::share(object.get()), site);
  // Made in this program, so the calendar behind it is at hand.
  Calendar& calendar = *static_cast<DnovarControl&>(*object).calendar();
  calendar.state().AktDatum = date;
  calendar.Inicializuj();
  return instance;
}

ScriptInstance::ScriptInstance(ComPtr<Unknown> object, ScriptSite& site, Surface* surface) {
  dispatch_ = object.query<Dispatch>();
  hosting_ = object.query<ControlHosting>();
  source_ = object.query<EventSource>();
  inspection_ = object.query<ControlInspection>();
  if (!dispatch_ || !hosting_ || !source_ || !inspection_)
    throw RuntimeError(error_number::no_such_interface,
                       "Class does not support Automation or does not support expected interface");
  ExceptionInfo info;
  site.toolkit().take_created_surface();
  check_status(hosting_->set_site(&site, &info), &info);
  // The control builds its widgets when it gets its site; they live as long as it has the site.
  surface_ = site.toolkit().take_created_surface();
  if (surface != nullptr) surface_ = surface;
  ComPtr<EventSink> sink = make_object<RecordingSink, EventSink>(site);
  check_status(source_->advise(kDnovarEventsId, sink.get(), &cookie_));
}

ScriptInstance::~ScriptInstance() {
  if (source_ && cookie_ != 0) source_->unadvise(cookie_);
  if (hosting_) hosting_->set_site(nullptr, nullptr);
}

Surface& ScriptInstance::surface() {
  if (surface_ == nullptr) raise_object_not_set();
  return *surface_;
}

CalendarState ScriptInstance::state() {
  CalendarState state;
  ExceptionInfo info;
  check_status(inspection_->read_state(&state, &info), &info);
  return state;
}

Variant ScriptInstance::get(std::string_view name) {
  return get_property(*dispatch_, name);
}

void ScriptInstance::put(std::string_view name, const Variant& value) {
  put_property(*dispatch_, name, value);
}

Variant ScriptInstance::call(std::string_view name, const std::vector<Variant>& args) {
  return call_method(*dispatch_, name, args);
}

}  // namespace dnovar::script
