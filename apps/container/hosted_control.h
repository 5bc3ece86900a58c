// One control instance on the container's form: created by ProgID through the registry, held
// through the control client (site, events handed to the site, teardown in the control's order),
// and its widgets taken for the form.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "apps/container/container_site.h"
#include "component/activation.h"
#include "component/control_client.h"

namespace dnovar::container {

class HostedControl {
 public:
  // Raises 429 when the ProgID is not registered, the module's load errors (48, 453), 430 when
  // the object lacks an interface a container needs, and what the control raises on its site.
  HostedControl(const Registry& registry, ModuleCache& modules, std::string_view prog_id,
                ContainerSite& site);

  Dispatch& dispatch() { return client_.dispatch(); }
  // The control's widgets as one Qt widget, for the form to hold; null once they are gone.
  QWidget* root() const { return root_.data(); }

  // Each raises the control's failure as its RuntimeError.
  void init_new() { client_.init_new(); }
  void load(PropertyBag& bag) { client_.load(bag); }
  void save(PropertyBag& bag) { client_.save(bag); }

 private:
  ControlClient client_;
  QPointer<QWidget> root_;
};

}  // namespace dnovar::container
