// The container's site for the control it hosts: the extender's Name (the instance name the
// window shows and lets the user edit), property-change notifications, contained errors, the Qt
// toolkit and the system clock. What the control reports goes to the container as log lines:
//   changed NAME        a property notified a change
//   event NAME          an event of the control
//   error N MESSAGE     a handler's failure, contained by the toolkit
//   beep                the control sounded the beep
#pragma once

#include <string>
#include <string_view>

#include "apps/container/embedding_toolkit.h"
#include "platform/clock.h"
#include "platform/site.h"

namespace dnovar::container {

// What the site tells the container.
class ContainerSiteListener {
 public:
  virtual ~ContainerSiteListener() = default;
  virtual void log(const std::string& line) = 0;
  virtual void property_changed(std::string_view name) = 0;
};

std::string error_line(const RuntimeError& error);  // "error 6 Overflow"

class ContainerSite final : public ControlSite {
 public:
  explicit ContainerSite(ContainerSiteListener& listener);

  std::string extender_name() override { return name_; }
  void property_changed(std::string_view name) override;
  void raise_event(std::string_view name, int dispatch_id) override;
  void report_error(const RuntimeError& error) override { listener_.log(error_line(error)); }
  Toolkit& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }
  // The container hosts the control as any host of its automation interface: its own rules.
  CalendarRules calendar_rules() const override { return CalendarRules::Control; }

  // Raises 380 for a name that is not valid_instance_name; the old name stays.
  void set_name(std::string name);
  const std::string& name() const { return name_; }
  EmbeddingToolkit& embedding_toolkit() { return toolkit_; }

 private:
  ContainerSiteListener& listener_;
  EmbeddingToolkit toolkit_;
  SystemClock clock_;
  std::string name_ = "Dnovar1";
};

}  // namespace dnovar::container
