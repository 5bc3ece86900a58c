// The properties a control's type information lists, for the property list: name, type, whether
// it can be written, and its help string.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "component/type_library.h"

namespace dnovar::container {

struct PropertyInfo {
  std::string name;
  ValueType type = ValueType::variant;  // colour for OLE_COLOR, which the list shows in hex
  bool writable = false;
  std::string help;
};

// The readable properties of the object's dispatch interface, in the order its type information
// gives them.
std::vector<PropertyInfo> properties_of(IDispatch& object);

}  // namespace dnovar::container
