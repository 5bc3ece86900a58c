// Hands one widget's notification to the surface's WidgetEvents as one dispatch: what the
// handler throws goes to the ErrorSink and the Qt event loop carries on.
#pragma once

#include "platform/guarded_notification.h"
#include "platform/toolkit.h"

namespace dnovar {

class EventRelay {
 public:
  explicit EventRelay(ErrorSink& errors) : errors_(errors) {}

  void set_events(WidgetEvents* events) { events_ = events; }

  template <typename Notify>
  void deliver(Notify&& notify) {
    if (events_ == nullptr) return;
    WidgetEvents& events = *events_;
    run_guarded_notification(errors_, [&] { notify(events); });
  }

 private:
  ErrorSink& errors_;
  WidgetEvents* events_ = nullptr;
};

}  // namespace dnovar
