// Late-bound calls on a control's IDispatch, by member name, as a script would make them; and the
// properties its type information lists, for the property list. Failures are raised as the
// run-time errors the control reported (error_from_com).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>
#include <vector>

#include "component/type_library.h"
#include "platform/variant.h"

namespace dnovar::container {

Variant get_property(IDispatch& object, std::string_view name);
void put_property(IDispatch& object, std::string_view name, const Variant& value);
Variant call_method(IDispatch& object, std::string_view name, const std::vector<Variant>& args);

struct PropertyInfo {
  std::string name;
  ValueType type = ValueType::variant;  // colour for OLE_COLOR, which the list shows in hex
  bool writable = false;
  std::string help;
};

// The readable properties of the object's dispatch interface, in the order its type information
// gives them.
std::vector<PropertyInfo> properties_of(IDispatch& object);

// The name of member `id` of `type`, or the number when the type information has none.
std::string member_name(ITypeInfo* type, DISPID id);

}  // namespace dnovar::container
