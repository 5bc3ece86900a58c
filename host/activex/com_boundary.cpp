#include "host/activex/com_boundary.h"

#include <cstdio>
#include <string>

#include "com/com_ref.h"
#include "component/status.h"

namespace dnovar {

namespace {

bool is_control_error(HRESULT result) {
  return FAILED(result) && HRESULT_FACILITY(result) == FACILITY_CONTROL;
}

std::string thread_error_text() {
  ComRef<IErrorInfo> info;
  Bstr text;
  if (GetErrorInfo(0, info.put()) != S_OK || !info || FAILED(info->GetDescription(text.put())))
    return {};
  return text.utf8();
}

std::string hex(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

}  // namespace

HRESULT report_error(int number, std::string_view description, const ErrorOrigin& origin,
                     EXCEPINFO* exception) noexcept {
  const auto status = static_cast<HRESULT>(control_error_status(number));
  try {
    Bstr source(origin.source);
    Bstr text(description);
    if (exception != nullptr) {
      *exception = EXCEPINFO{};
      // wCode stays 0: the error number travels in scode, as its control error.
      exception->scode = status;
      exception->bstrSource = source.detach();
      exception->bstrDescription = text.detach();
      return DISP_E_EXCEPTION;
    }
    ComRef<ICreateErrorInfo> created;
    if (SUCCEEDED(CreateErrorInfo(created.put()))) {
      created->SetGUID(origin.interface_id != nullptr ? *origin.interface_id : GUID_NULL);
      created->SetSource(source.get());
      created->SetDescription(text.get());
      SetErrorInfo(0, created.query<IErrorInfo>().get());
    }
  } catch (...) {
    // No memory for the text: the caller of Invoke hears that; any other caller still gets the
    // status.
    if (exception != nullptr) return E_OUTOFMEMORY;
  }
  return status;
}

HRESULT report_error_in_flight(const ErrorOrigin& origin, EXCEPINFO* exception) noexcept {
  const RuntimeError error = error_in_flight();
  return report_error(error.number(), error.what(), origin, exception);
}

RuntimeError error_from_com(HRESULT result, ExcepInfo* exception, std::string_view what) {
  HRESULT code = result;
  int number = 0;
  std::string description;
  if (result == DISP_E_EXCEPTION && exception != nullptr) {
    const EXCEPINFO& info = exception->filled();
    description = utf8_from_bstr(info.bstrDescription);
    number = info.wCode;
    if (info.scode != 0) code = info.scode;
  } else {
    description = thread_error_text();
  }
  if (number == 0 && is_control_error(code)) number = HRESULT_CODE(code);
  if (number != 0) {
    if (!description.empty()) return RuntimeError(number, description);
    return error_from_status(control_error_status(number));
  }
  const RuntimeError error = error_from_status(static_cast<Status>(code));
  if (what.empty()) return error;
  return RuntimeError(error.number(), std::string(error.what()) + " (" + std::string(what) + ": " +
                                          hex(code) + ")");
}

void raise_com_error(HRESULT result, ExcepInfo* exception, std::string_view what) {
  throw error_from_com(result, exception, what);
}

}  // namespace dnovar
