// One control instance on the container's form: created by ProgID through the registry, given
// the container's site, its events advised to a sink that hands them to the site, and released
// in the order the control expects (unadvise, site withdrawn, last reference).
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "apps/container/container_site.h"
#include "com/activation.h"
#include "com/automation.h"
#include "com/control_hosting.h"

namespace dnovar::container {

class HostedControl {
 public:
  // Raises 429 when the ProgID is not registered, the module's load errors (48, 453), 430 when
  // the object lacks an interface a container needs, and what the control raises on its site.
  HostedControl(const Registry& registry, ModuleCache& modules, std::string_view prog_id,
                ContainerSite& site);
  ~HostedControl();
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  Dispatch& dispatch() { return *dispatch_; }
  // The control's widgets as one Qt widget, for the form to hold; null once they are gone.
  QWidget* root() const { return root_.data(); }

  // Each raises the control's failure as its RuntimeError.
  void init_new();
  void load(PropertyBag& bag);
  void save(PropertyBag& bag);

 private:
  ComPtr<Dispatch> dispatch_;
  ComPtr<ControlHosting> hosting_;
  ComPtr<EventSource> events_;
  std::uint32_t cookie_ = 0;
  QPointer<QWidget> root_;
};

}  // namespace dnovar::container
