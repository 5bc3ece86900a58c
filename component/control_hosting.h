// What a host calls on a control it holds: give it its site, initialise it new or load it from a
// property bag, and save it. Focus moving into and out of the control reaches it through its
// toolkit's notifications, like every other user input; the host has nothing to forward.
#pragma once

#include "component/unknown.h"
#include "platform/site.h"

namespace dnovar {

class ControlHosting : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{6D1C4A52-3E0B-4F7A-9C41-2B8E5D0F7A13}");

  // The site stays the host's; it must outlive the control or be replaced by null first. A
  // control builds its widgets with the site's toolkit when it gets its first site.
  virtual Status set_site(ControlSite* site, ExceptionInfo* info) = 0;
  // Exactly one of init_new and load comes first, never both; save may follow any number of times.
  virtual Status init_new(ExceptionInfo* info) = 0;
  virtual Status load(PropertyBag& bag, ExceptionInfo* info) = 0;
  virtual Status save(PropertyBag& bag, ExceptionInfo* info) = 0;

 protected:
  ~ControlHosting() = default;
};

}  // namespace dnovar
