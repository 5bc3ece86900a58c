#include "apps/container/win32/ole_failure.h"

#include "com/windows/com_ref.h"
#include "host/activex/property_bag_bridge.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar::container {

namespace {

bool is_control_error(HRESULT result) {
  return HRESULT_FACILITY(result) == FACILITY_CONTROL && (result & 0x80000000u) != 0;
}

std::string take_text(BSTR& text) {
  std::string result = text != nullptr ? utf8_text(text) : std::string();
  SysFreeString(text);
  text = nullptr;
  return result;
}

}  // namespace

void raise_ole_failure(HRESULT result, const std::string& what) {
  ComRef<IErrorInfo> info;
  std::string description;
  if (GetErrorInfo(0, info.put()) == S_OK && info) {
    BSTR text = nullptr;
    if (SUCCEEDED(info->GetDescription(&text))) description = take_text(text);
  }
  if (is_control_error(result) && !description.empty())
    throw RuntimeError(HRESULT_CODE(result), description);
  raise_com_failure(result, what);
}

void raise_exception_info(EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  const std::string description = take_text(exception.bstrDescription);
  take_text(exception.bstrSource);
  take_text(exception.bstrHelpFile);
  int number = exception.wCode;
  if (number == 0 && is_control_error(exception.scode)) number = HRESULT_CODE(exception.scode);
  if (number != 0 && !description.empty()) throw RuntimeError(number, description);
  raise_com_failure(exception.scode != 0 ? exception.scode : DISP_E_EXCEPTION, description);
}

}  // namespace dnovar::container
