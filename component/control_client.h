// A control as a host holds it: its interfaces queried, its site given, its events advised to the
// host by name, and let go in the one order a control expects: events unadvised, site withdrawn,
// last reference released. Every host of the project (the Qt widget, the container, the script
// host) holds its control through this class.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "component/automation.h"
#include "component/control_hosting.h"
#include "platform/error.h"

namespace dnovar {

// Another interface of `object`; error 430 when it has none.
template <typename Interface>
ComponentPtr<Interface> require_interface(const ComponentPtr<Unknown>& object) {
  ComponentPtr<Interface> found = object.query<Interface>();
  if (!found)
    throw RuntimeError(error_number::no_such_interface,
                       "Class does not support Automation or does not support expected interface");
  return found;
}

class ControlClient {
 public:
  // An event of the control, named as the type library the control publishes names it (its
  // dispatch id in decimal where the library has no such event).
  using EventHandler = std::function<void(std::string_view name, DispatchId id)>;

  // Raises 430 when the object lacks Dispatch, ControlHosting or EventSource, and what the
  // control raises on getting its site or advising; a failure after the site was given withdraws
  // it again. Events are advised for the default source interface of the class that the type
  // library names as implementing the object's interface; none when it names none.
  ControlClient(const ComponentPtr<Unknown>& object, ControlSite& site, EventHandler on_event);
  ~ControlClient();
  ControlClient(const ControlClient&) = delete;
  ControlClient& operator=(const ControlClient&) = delete;

  Dispatch& dispatch() const { return *dispatch_; }
  ControlHosting& hosting() const { return *hosting_; }

  // Each raises the control's failure as its RuntimeError.
  void init_new();
  void load(PropertyBag& bag);
  void save(PropertyBag& bag);
  Variant get(std::string_view name);
  void put(std::string_view name, const Variant& value);
  Variant call(std::string_view name, std::vector<Variant> args = {});

 private:
  void advise_events(EventHandler on_event);
  void withdraw();

  ComponentPtr<Dispatch> dispatch_;
  ComponentPtr<ControlHosting> hosting_;
  ComponentPtr<EventSource> events_;
  std::uint32_t cookie_ = 0;
};

}  // namespace dnovar
