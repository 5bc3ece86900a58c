#include "component/module_server.h"

#include <cstdio>

namespace dnovar {

namespace {

Status report(Status status, const char* action, const ExceptionInfo& info) {
  if (failed(status)) {
    std::fprintf(stderr, "dnovar: %s failed: %s (error %d)\n", action, info.description.c_str(),
                 info.number);
  }
  return status;
}

}  // namespace

Status register_module_class(const ClassRegistration& registration) noexcept {
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    Registry(Registry::default_path()).register_class(registration);
    return Status::ok;
  });
  return report(status == Status::exception ? info.status : status, "registration", info);
}

Status unregister_module_class(const Guid& clsid) noexcept {
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    // Removing what is not there leaves the registry as wanted: not a failure.
    Registry(Registry::default_path()).unregister_class(clsid);
    return Status::ok;
  });
  return report(status == Status::exception ? info.status : status, "unregistration", info);
}

Status serve_class_object(const Guid& clsid, const Guid& iid, void** out, const Guid& served,
                          FunctionClassFactory::Create create) noexcept {
  if (out == nullptr) return Status::pointer;
  *out = nullptr;
  if (clsid != served) return Status::class_not_available;
  return guarded_call(nullptr, [&] {
    const ComponentPtr<ClassFactory> factory =
        make_object<FunctionClassFactory, ClassFactory>(std::move(create));
    return factory->query_interface(iid, out);
  });
}

Status module_can_unload_now() noexcept {
  return module_state::can_unload() ? Status::ok : Status::ok_false;
}

}  // namespace dnovar
