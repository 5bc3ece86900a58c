// The sinks advised on one source interface of an object, and raising an event to all of them.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "component/automation.h"

namespace dnovar {

class EventSinks {
 public:
  // Holds a reference to the sink until it is unadvised or this list is destroyed.
  std::uint32_t advise(EventSink& sink);
  bool unadvise(std::uint32_t cookie);
  std::size_t size() const { return sinks_.size(); }

  // Delivers the event to every sink advised when it starts, synchronously, in advise order.
  // A sink may unadvise (itself or others) while it runs; a sink's failure does not stop the
  // others and is not the raiser's failure, as a host's event handler is the host's business.
  void raise(DispatchId id, const std::vector<Variant>& args = {});

 private:
  std::vector<std::pair<std::uint32_t, ComponentPtr<EventSink>>> sinks_;
  std::uint32_t next_cookie_ = 1;
};

}  // namespace dnovar
