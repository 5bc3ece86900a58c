#include "component/class_factory.h"

namespace dnovar {

Status FunctionClassFactory::create_instance(Unknown* outer, const Guid& interface_id, void** out) {
  if (out == nullptr) return Status::pointer;
  *out = nullptr;
  if (outer != nullptr) return Status::no_aggregation;
  return guarded_call(nullptr, [&] {
    const ComponentPtr<Unknown> instance = create_();
    if (!instance) return Status::fail;
    return instance->query_interface(interface_id, out);
  });
}

Status FunctionClassFactory::lock_server(bool lock) {
  if (lock) {
    module_state::lock();
    return Status::ok;
  }
  return module_state::unlock() ? Status::ok : Status::fail;
}

}  // namespace dnovar
