// The control's component module: the four entry points, and nothing else exported.
#include "component/module.h"
#include "component/module_server.h"
#include "host/dnovar_control.h"
#include "host/module_resources.h"
#include "host/type_library.h"

using dnovar::Guid;
using dnovar::Status;

DNOVAR_MODULE_EXPORT Status DllRegisterServer() {
  return dnovar::register_module_class(
      {dnovar::kDnovarClassId, dnovar::kDnovarProgId,
       dnovar::module_path_of(reinterpret_cast<const void*>(&DllRegisterServer)),
       dnovar::kDnovarLibraryId, "1.0"});
}

DNOVAR_MODULE_EXPORT Status DllUnregisterServer() {
  return dnovar::unregister_module_class(dnovar::kDnovarClassId);
}

DNOVAR_MODULE_EXPORT Status DllGetClassObject(const Guid& clsid, const Guid& iid, void** out) {
  if (iid == dnovar::ModuleResources::iid && clsid == dnovar::kDnovarClassId) {
    if (out == nullptr) return Status::pointer;
    *out = dnovar::new_module_resources();
    return Status::ok;
  }
  return dnovar::serve_class_object(clsid, iid, out, dnovar::kDnovarClassId,
                                    [] { return dnovar::make_object<dnovar::DnovarControl>(); });
}

DNOVAR_MODULE_EXPORT Status DllCanUnloadNow() {
  return dnovar::module_can_unload_now();
}
