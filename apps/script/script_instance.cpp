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

ComPtr<Unknown> make_in_process_control() {
  return make_object<DnovarControl>();
}

ScriptInstance::ScriptInstance(ComPtr<Unknown> object, ScriptSite& site) {
  dispatch_ = object.query<Dispatch>();
  hosting_ = object.query<ControlHosting>();
  source_ = object.query<EventSource>();
  if (!dispatch_ || !hosting_ || !source_)
    throw RuntimeError(430,
                       "Class does not support Automation or does not support expected interface");
  ExceptionInfo info;
  check_status(hosting_->set_site(&site, &info), &info);
  ComPtr<EventSink> sink = make_object<RecordingSink, EventSink>(site);
  check_status(source_->advise(kDnovarEventsId, sink.get(), &cookie_));
  if (ComPtr<CalendarAccess> access = object.query<CalendarAccess>())
    calendar_ = access->calendar();
}

ScriptInstance::~ScriptInstance() {
  if (source_ && cookie_ != 0) source_->unadvise(cookie_);
  if (hosting_) hosting_->set_site(nullptr, nullptr);
}

Calendar& ScriptInstance::calendar() {
  if (calendar_ == nullptr)
    throw RuntimeError(91, "Object variable or With block variable not set");
  return *calendar_;
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
