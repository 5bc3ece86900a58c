#include "apps/container/container_site.h"

#include "apps/container/instance_name.h"

namespace dnovar::container {

std::string error_line(const RuntimeError& error) {
  return "error " + std::to_string(error.number()) + " " + error.what();
}

ContainerSite::ContainerSite(ContainerSiteListener& listener) : listener_(listener) {
  toolkit_.on_beep([this] { listener_.log("beep"); });
}

void ContainerSite::property_changed(std::string_view name) {
  listener_.log("changed " + std::string(name));
  listener_.property_changed(name);
}

void ContainerSite::raise_event(std::string_view name, int) {
  listener_.log("event " + std::string(name));
}

void ContainerSite::set_name(std::string name) {
  if (!valid_instance_name(name))
    throw RuntimeError(error_number::invalid_property_value,
                       "Invalid property value: \"" + name + "\" is no valid name");
  name_ = std::move(name);
}

}  // namespace dnovar::container
