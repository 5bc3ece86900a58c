#include "host/qt/hosted_calendar.h"

#include "com/object.h"
#include "host/dnovar_control.h"
#include "host/type_library.h"

namespace dnovar::widget {

namespace {

// Hands the control's events to the site.
class SiteEventSink final : public ObjectBase<EventSink> {
 public:
  explicit SiteEventSink(ControlSite& site) : site_(site) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    site_.raise_event(id == kZavriId ? "Zavri" : "", id);
    return Status::ok;
  }

 private:
  ControlSite& site_;
};

}  // namespace

HostedCalendar::HostedCalendar(SiteListener& listener) : site_(listener) {
  dispatch_ = make_object<DnovarControl, Dispatch>();
  hosting_ = dispatch_.query<ControlHosting>();
  events_ = dispatch_.query<EventSource>();
  ExceptionInfo info;
  check_status(hosting_->set_site(&site_, &info), &info);
  const ComPtr<EventSink> sink = make_object<SiteEventSink, EventSink>(site_);
  check_status(events_->advise(kDnovarEventsId, sink.get(), &cookie_));
}

HostedCalendar::~HostedCalendar() {
  if (cookie_ != 0) events_->unadvise(cookie_);
  hosting_->set_site(nullptr, nullptr);
}

void HostedCalendar::load(PropertyBag& bag) {
  ExceptionInfo info;
  check_status(hosting_->load(bag, &info), &info);
}

void HostedCalendar::save(PropertyBag& bag) {
  ExceptionInfo info;
  check_status(hosting_->save(bag, &info), &info);
}

Variant HostedCalendar::get(std::string_view name) {
  return get_property(*dispatch_, name);
}

void HostedCalendar::put(std::string_view name, const Variant& value) {
  put_property(*dispatch_, name, value);
}

Variant HostedCalendar::call(std::string_view name, std::vector<Variant> args) {
  return call_method(*dispatch_, name, std::move(args));
}

}  // namespace dnovar::widget
