#include "component/automation.h"

namespace dnovar {

namespace {

Variant invoke_by_name(Dispatch& object, std::string_view name, InvokeKind kind,
                       std::vector<Variant>& args) {
  DispatchId id = kDispidUnknown;
  check_status(object.get_ids_of_names(name, &id));
  Variant result;
  ExceptionInfo info;
  check_status(object.invoke(id, kind, args, &result, &info), &info);
  return result;
}

}  // namespace

Variant get_property(Dispatch& object, std::string_view name) {
  std::vector<Variant> args;
  return invoke_by_name(object, name, InvokeKind::property_get, args);
}

void put_property(Dispatch& object, std::string_view name, const Variant& value) {
  std::vector<Variant> args{value};
  invoke_by_name(object, name, InvokeKind::property_put, args);
}

Variant call_method(Dispatch& object, std::string_view name, std::vector<Variant> args) {
  return invoke_by_name(object, name, InvokeKind::method, args);
}

}  // namespace dnovar
