// COM failures as the run-time errors the container logs ("error N message").
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace dnovar::container {

// A control error (0x800A0000 | N) keeps its number N and the text of the error info the control
// set; any other status is the run-time error its status stands for, naming `what` failed.
[[noreturn]] void raise_ole_failure(HRESULT result, const std::string& what);

// Checks a call's status: raise_ole_failure when it failed.
inline void check_ole(HRESULT result, const std::string& what) {
  if (FAILED(result)) raise_ole_failure(result, what);
}

// An Invoke's DISP_E_EXCEPTION: the number and text of its EXCEPINFO, which it frees.
[[noreturn]] void raise_exception_info(EXCEPINFO& exception);

}  // namespace dnovar::container
