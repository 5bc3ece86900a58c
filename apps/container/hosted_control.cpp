#include "apps/container/hosted_control.h"

#include "com/object.h"

namespace dnovar::container {

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

// Hands each event of the control to the site, by the name the type library gives it.
class SiteEventSink final : public ObjectBase<EventSink> {
 public:
  SiteEventSink(ContainerSite& site, const TypeInfo& events) : site_(site), events_(events) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    const Function* event = find_function(events_, id, InvokeKind::method);
    site_.raise_event(event != nullptr ? event->name : std::to_string(id), id);
    return Status::ok;
  }

 private:
  ContainerSite& site_;
  const TypeInfo& events_;  // lives in the module's library, which stays loaded
};

}  // namespace

HostedControl::HostedControl(const Registry& registry, ModuleCache& modules,
                             std::string_view prog_id, ContainerSite& site) {
  const ComPtr<Unknown> object = create_registered(registry, modules, prog_id);
  dispatch_ = object.query<Dispatch>();
  hosting_ = object.query<ControlHosting>();
  events_ = object.query<EventSource>();
  if (!dispatch_ || !hosting_ || !events_)
    throw RuntimeError(error_number::no_such_interface,
                       "Class does not support Automation or does not support expected interface");
  ExceptionInfo info;
  check_status(hosting_->set_site(&site, &info), &info);
  root_ = site.embedding_toolkit().take_control_root();
  if (const TypeInfo* events = source_interface(*dispatch_)) {
    const ComPtr<EventSink> sink = make_object<SiteEventSink, EventSink>(site, *events);
    check_status(events_->advise(events->guid, sink.get(), &cookie_));
  }
}

HostedControl::~HostedControl() {
  if (cookie_ != 0) events_->unadvise(cookie_);
  hosting_->set_site(nullptr, nullptr);
}

void HostedControl::init_new() {
  ExceptionInfo info;
  check_status(hosting_->init_new(&info), &info);
}

void HostedControl::load(PropertyBag& bag) {
  ExceptionInfo info;
  check_status(hosting_->load(bag, &info), &info);
}

void HostedControl::save(PropertyBag& bag) {
  ExceptionInfo info;
  check_status(hosting_->save(bag, &info), &info);
}

}  // namespace dnovar::container
