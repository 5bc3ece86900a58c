#include "apps/container/hosted_control.h"

namespace dnovar::container {

HostedControl::HostedControl(const Registry& registry, ModuleCache& modules,
                             std::string_view prog_id, ContainerSite& site)
    : client_(create_registered(registry, modules, prog_id), site,
              [&site](std::string_view name, DispatchId id) { site.raise_event(name, id); }),
      // The control builds its widgets when it gets its site.
      root_(site.embedding_toolkit().take_control_root()) {}

}  // namespace dnovar::container
