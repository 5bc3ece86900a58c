// The module side of the four entry points: what a module's DllRegisterServer & co. forward to.
//
//   DNOVAR_MODULE_EXPORT Status DllGetClassObject(const Guid& clsid, const Guid& iid, void** out) {
//     return serve_class_object(clsid, iid, out, kMyClass, [] { return make_object<My>(); });
//   }
#pragma once

#include "component/class_factory.h"
#include "component/module.h"
#include "component/registry.h"

namespace dnovar {

// Enters the class into the registry named by DNOVAR_REGISTRY (else the default one). The entry
// points can return only a status, so a failure's message goes to standard error as well.
Status register_module_class(const ClassRegistration& registration) noexcept;
Status unregister_module_class(const Guid& clsid) noexcept;

// A class factory for `served` when `clsid` is it; class_not_available otherwise.
Status serve_class_object(const Guid& clsid, const Guid& iid, void** out, const Guid& served,
                          FunctionClassFactory::Create create) noexcept;

// ok when no object and no lock remain in this module, else ok_false.
Status module_can_unload_now() noexcept;

}  // namespace dnovar
