#include "host/persistence.h"

#include <optional>

#include "host/control_members.h"

namespace dnovar {

void initialise_new(Calendar& calendar) {
  for (const ControlMember* member : bag_members())
    if (member->bag->taken_when_new)
      member->bag->take(calendar, member->bag->default_value(calendar));
}

void load_properties(Calendar& calendar, PropertyBag& bag) {
  std::optional<RuntimeError> first_failure;
  for (const ControlMember* member : bag_members()) {
    try {
      const Variant default_value = member->bag->default_value(calendar);
      member->bag->take(calendar, bag.read(member->name, default_value));
    } catch (const RuntimeError& error) {
      if (!bag.failure_recorded(member->name, error)) throw;
      if (!first_failure) first_failure = error;
    }
  }
  if (first_failure) throw *first_failure;
  calendar.Inicializuj();
}

void save_properties(Calendar& calendar, PropertyBag& bag) {
  for (const ControlMember* member : bag_members()) {
    const Variant value = member->bag->saved_value(calendar);
    bag.write(member->name, value, member->bag->default_value(calendar));
  }
}

}  // namespace dnovar
