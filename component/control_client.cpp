#include "component/control_client.h"

#include <string>
#include <utility>

#include "component/object.h"

namespace dnovar {

namespace {

// The source interface of the class that implements `object`'s interface, from the type library
// the object itself publishes; null when the library names none.
const TypeInfo* source_interface(Dispatch& object) {
  TypeInfoRef ref;
  check_status(object.get_type_info(&ref));
  const std::string& interface_name = ref.info().name;
  for (const TypeInfo& type : ref.library->types) {
    if (type.kind != TypeKind::coclass) continue;
    bool implements = false;
    const TypeInfo* source = nullptr;
    for (const ImplementedInterface& implemented : type.interfaces) {
      if (names_equal(implemented.name, interface_name)) implements = true;
      if ((implemented.flags & implementation_flag::source) &&
          (implemented.flags & implementation_flag::is_default))
        source = find_type(*ref.library, implemented.name);
    }
    if (implements && source != nullptr) return source;
  }
  return nullptr;
}

// Hands each event of the control to the host, by the name the type library gives it.
class NamingEventSink final : public ObjectBase<EventSink> {
 public:
  NamingEventSink(const TypeInfo& events, ControlClient::EventHandler on_event)
      : events_(events), on_event_(std::move(on_event)) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    const Function* event = find_function(events_, id, InvokeKind::method);
    on_event_(event != nullptr ? event->name : std::to_string(id), id);
    return Status::ok;
  }

 private:
  const TypeInfo& events_;  // lives in the control's library, which outlives the control
  ControlClient::EventHandler on_event_;
};

}  // namespace

ControlClient::ControlClient(const ComponentPtr<Unknown>& object, ControlSite& site,
                             EventHandler on_event)
    : dispatch_(require_interface<Dispatch>(object)),
      hosting_(require_interface<ControlHosting>(object)),
      events_(require_interface<EventSource>(object)) {
  ExceptionInfo info;
  check_status(hosting_->set_site(&site, &info), &info);
  try {
    advise_events(std::move(on_event));
  } catch (...) {
    withdraw();
    throw;
  }
}

ControlClient::~ControlClient() {
  withdraw();
}

void ControlClient::advise_events(EventHandler on_event) {
  const TypeInfo* events = source_interface(*dispatch_);
  if (events == nullptr) return;
  const ComponentPtr<EventSink> sink =
      make_object<NamingEventSink, EventSink>(*events, std::move(on_event));
  check_status(events_->advise(events->guid, sink.get(), &cookie_));
}

void ControlClient::withdraw() {
  if (cookie_ != 0) events_->unadvise(std::exchange(cookie_, 0));
  hosting_->set_site(nullptr, nullptr);
}

void ControlClient::init_new() {
  ExceptionInfo info;
  check_status(hosting_->init_new(&info), &info);
}

void ControlClient::load(PropertyBag& bag) {
  ExceptionInfo info;
  check_status(hosting_->load(bag, &info), &info);
}

void ControlClient::save(PropertyBag& bag) {
  ExceptionInfo info;
  check_status(hosting_->save(bag, &info), &info);
}

Variant ControlClient::get(std::string_view name) {
  return get_property(*dispatch_, name);
}

void ControlClient::put(std::string_view name, const Variant& value) {
  put_property(*dispatch_, name, value);
}

Variant ControlClient::call(std::string_view name, std::vector<Variant> args) {
  return call_method(*dispatch_, name, std::move(args));
}

}  // namespace dnovar
