// The one boundary between the project's errors and COM's, both ways.
//
// Our COM methods (the control's, the containers' sites and sinks) run their bodies through
// `com_boundary` or, for IDispatch::Invoke, `dispatch_boundary`: nothing escapes a COM method. The
// control's methods reach them through their one prologue, which checks the thread first
// (owner_thread.h).
// - A run-time error becomes its control error, 0x800A0000 | number (error 13 is 0x800A000D),
//   with its text in the thread's error info (IErrorInfo: description, source, interface id), or
//   in the caller's EXCEPINFO when Invoke was given one (the call then returns DISP_E_EXCEPTION).
// - Running out of memory (std::bad_alloc) is E_OUTOFMEMORY, with no text to make.
// - Anything else is the internal error 51.
//
// Our clients (the containers, the script host's ole backend) turn a failed call back with
// `error_from_com`: a control error is its number with the callee's text; any other status the
// run-time error the platform's run time gives it (component/status.h: 438 for a member not found).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <new>
#include <string_view>

#include "com/com_values.h"
#include "platform/error.h"

namespace dnovar {

// Who reports a failure: the source named in the error info, and the interface that failed.
struct ErrorOrigin {
  std::string_view source;
  const IID* interface_id = nullptr;
};

// A run-time error reported to a COM caller: into its EXCEPINFO when it gave one (the status is
// then DISP_E_EXCEPTION, or E_OUTOFMEMORY with the EXCEPINFO left empty when its strings cannot be
// made), else as the thread's error info (skipped when there is no memory for it) with the control
// error as the status.
HRESULT report_error(int number, std::string_view description, const ErrorOrigin& origin,
                     EXCEPINFO* exception) noexcept;

// Inside a catch block: the exception in flight reported so.
HRESULT report_error_in_flight(const ErrorOrigin& origin, EXCEPINFO* exception) noexcept;

template <typename Body>
HRESULT com_boundary(const ErrorOrigin& origin, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return report_error_in_flight(origin, nullptr);
  }
}

template <typename Body>
HRESULT dispatch_boundary(const ErrorOrigin& origin, EXCEPINFO* exception, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return report_error_in_flight(origin, exception);
  }
}

// The run-time error a failed call stands for. `exception` is the call's EXCEPINFO, read when
// the call returned DISP_E_EXCEPTION (its deferred fill-in run, wCode honoured before scode);
// otherwise the text comes from the thread's error info. `what` (what the caller was doing) is
// added to the text of a status that is no control error: "... (reading Datum: 0x80020003)".
RuntimeError error_from_com(HRESULT result, ExcepInfo* exception = nullptr,
                            std::string_view what = {});
[[noreturn]] void raise_com_error(HRESULT result, ExcepInfo* exception = nullptr,
                                  std::string_view what = {});
inline void check_com(HRESULT result, std::string_view what = {}) {
  if (FAILED(result)) raise_com_error(result, nullptr, what);
}

}  // namespace dnovar
