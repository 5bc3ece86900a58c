// The toolkit's event dispatch: runs one notification's handler and contains its failure, which
// goes to the host as a run-time error (see error_in_flight). Nothing escapes into the toolkit's
// event loop, so the host keeps running.
#pragma once

#include "platform/error.h"
#include "platform/toolkit.h"

namespace dnovar {

template <typename Handler>
void run_guarded_notification(ErrorSink& errors, Handler&& handler) noexcept {
  try {
    handler();
  } catch (...) {
    errors.report_error(error_in_flight());
  }
}

}  // namespace dnovar
