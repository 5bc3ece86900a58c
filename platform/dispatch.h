// The toolkit's event dispatch: runs one notification's handler and contains its failure.
// A run-time error is reported to the host; anything else becomes error 51 ("Internal error").
// Nothing escapes into the toolkit's event loop, so the host keeps running.
#pragma once

#include <exception>

#include "platform/error.h"
#include "platform/toolkit.h"

namespace dnovar {

template <typename Handler>
void dispatch_notification(ErrorSink& errors, Handler&& handler) noexcept {
  try {
    handler();
  } catch (const RuntimeError& error) {
    errors.report_error(error);
  } catch (const std::bad_alloc&) {
    errors.report_error(RuntimeError(7, "Out of memory"));
  } catch (const std::exception& error) {
    errors.report_error(RuntimeError(51, std::string("Internal error: ") + error.what()));
  }
}

}  // namespace dnovar
