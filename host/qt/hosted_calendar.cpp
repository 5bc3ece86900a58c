#include "host/qt/hosted_calendar.h"

#include "component/object.h"
#include "host/dnovar_control.h"

namespace dnovar::widget {

HostedCalendar::HostedCalendar(WidgetSiteListener& listener)
    : site_(listener),
      client_(make_object<DnovarControl>(), site_,
              [this](std::string_view name, DispatchId id) { site_.raise_event(name, id); }) {}

}  // namespace dnovar::widget
