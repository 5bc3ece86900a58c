// One control instance as CalendarWidget holds it: created in this process, given a site of its
// own and held through the control client (its event Zavri handed to the site, teardown in the
// control's order). Everything goes through the control's public interfaces.
#pragma once

#include <QWidget>
#include <string_view>
#include <utility>
#include <vector>

#include "component/control_client.h"
#include "host/control_members.h"
#include "host/qt/widget_site.h"

namespace dnovar::widget {

class HostedCalendar {
 public:
  // The control with its widgets built; neither initialised nor loaded yet.
  explicit HostedCalendar(WidgetSiteListener& listener);

  WidgetSite& site() { return site_; }
  // The control's widgets as one Qt widget, owned by the control.
  QWidget* root() const { return site_.control_root(); }

  // Each raises the control's failure as its RuntimeError.
  void load(PropertyBag& bag) { client_.load(bag); }
  void save(PropertyBag& bag) { client_.save(bag); }
  Variant get(std::string_view name) { return client_.get(name); }
  void put(std::string_view name, const Variant& value) { client_.put(name, value); }
  Variant call(std::string_view name, std::vector<Variant> args = {}) {
    return client_.call(name, std::move(args));
  }
  // The same by the member table's handles.
  Variant get(Member member) { return get(control_member(member).name); }
  void put(Member member, const Variant& value) { put(control_member(member).name, value); }
  Variant call(Member member, std::vector<Variant> args = {}) {
    return call(control_member(member).name, std::move(args));
  }

 private:
  // Before the control, so the control goes first.
  WidgetSite site_;
  ControlClient client_;
};

}  // namespace dnovar::widget
