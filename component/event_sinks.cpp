#include "component/event_sinks.h"

#include <algorithm>

namespace dnovar {

std::uint32_t EventSinks::advise(EventSink& sink) {
  const std::uint32_t cookie = next_cookie_++;
  sinks_.emplace_back(cookie, ComponentPtr<EventSink>::share(&sink));
  return cookie;
}

bool EventSinks::unadvise(std::uint32_t cookie) {
  const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                  [cookie](const auto& entry) { return entry.first == cookie; });
  if (found == sinks_.end()) return false;
  sinks_.erase(found);
  return true;
}

void EventSinks::raise(DispatchId id, const std::vector<Variant>& args) {
  // A copy keeps every sink alive and the iteration valid while sinks unadvise during the event.
  const auto snapshot = sinks_;
  for (const auto& [cookie, sink] : snapshot) {
    std::vector<Variant> sink_args = args;
    sink->invoke(id, sink_args);
  }
}

}  // namespace dnovar
