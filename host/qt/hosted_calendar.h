// One control instance as CalendarWidget holds it: created in this process, given a site of its
// own, its event Zavri advised, and released in the order the control expects (unadvise, site
// withdrawn, last reference). Everything goes through the control's public interfaces.
#pragma once

#include <QWidget>
#include <string_view>
#include <vector>

#include "com/automation.h"
#include "com/control_hosting.h"
#include "host/qt/widget_site.h"

namespace dnovar::widget {

class HostedCalendar {
 public:
  // The control with its widgets built; neither initialised nor loaded yet.
  explicit HostedCalendar(SiteListener& listener);
  ~HostedCalendar();
  HostedCalendar(const HostedCalendar&) = delete;
  HostedCalendar& operator=(const HostedCalendar&) = delete;

  WidgetSite& site() { return site_; }
  // The control's widgets as one Qt widget, owned by the control.
  QWidget* root() const { return site_.control_root(); }

  // Each raises the control's failure as its RuntimeError.
  void load(PropertyBag& bag);
  void save(PropertyBag& bag);
  Variant get(std::string_view name);
  void put(std::string_view name, const Variant& value);
  Variant call(std::string_view name, std::vector<Variant> args = {});

 private:
  // Before the control, so the control goes first.
  WidgetSite site_;
  ComPtr<Dispatch> dispatch_;
  ComPtr<ControlHosting> hosting_;
  ComPtr<EventSource> events_;
  std::uint32_t cookie_ = 0;
};

}  // namespace dnovar::widget
