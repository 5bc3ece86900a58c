// Our GUIDs as Windows' GUID structure, field by field (no reliance on the two layouts matching).
#pragma once

#include <windows.h>

#include "component/guid.h"

namespace dnovar {

constexpr GUID windows_guid(const Guid& guid) {
  GUID result{};
  result.Data1 = guid.data1;
  result.Data2 = guid.data2;
  result.Data3 = guid.data3;
  for (std::size_t i = 0; i < 8; ++i) result.Data4[i] = guid.data4[i];
  return result;
}

}  // namespace dnovar
