// What a control needs from its host: the site it lives in and the property bag it persists to.
// Every member is pure, as in the toolkit seam: each host says what it does with each.
#pragma once

#include <string>
#include <string_view>

#include "platform/calendar_rules.h"
#include "platform/clock.h"
#include "platform/error.h"
#include "platform/toolkit.h"
#include "platform/variant.h"

namespace dnovar {

class ControlSite : public ErrorSink {
 public:
  // The extender's Name, read late-bound; a host without one raises its error (438).
  virtual std::string extender_name() = 0;
  // Tells the host that the named property changed (it marks its document as changed).
  virtual void property_changed(std::string_view name) = 0;
  // Delivers an event of the control's source interface, synchronously.
  virtual void raise_event(std::string_view name, int dispatch_id) = 0;
  virtual Toolkit& toolkit() = 0;
  virtual const Clock& clock() const = 0;
  // The rules the calendar marks holidays and numbers weeks by, read at every refresh. Hosts of
  // the automation interface keep the control's own (CalendarRules::Control).
  virtual CalendarRules calendar_rules() const = 0;
};

// The host's keyed store of typed values.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The stored value of the key, or the default when the key is absent.
  virtual Variant read(std::string_view key, const Variant& default_value) = 0;
  // Stores the value, except that a value equal to the default is not stored (the key is removed).
  virtual void write(std::string_view key, const Variant& value, const Variant& default_value) = 0;
  // Told of a key whose value could not be loaded. True when the bag has recorded the failure for
  // its caller (a container's error log): loading then goes on with the other keys and fails with
  // the first such error at the end. False fails the load at once.
  virtual bool failure_recorded(std::string_view key, const RuntimeError& error) = 0;
};

}  // namespace dnovar
