// The module the control is built into (the .ocx), and the type library it carries.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <filesystem>

#include "com/com_ref.h"

namespace dnovar {

HINSTANCE this_module();
std::filesystem::path this_module_path();
// The module's TYPELIB resource, loaded without touching the registry; S_OK or the loader's
// failure.
HRESULT load_module_library(ComRef<ITypeLib>& library);

}  // namespace dnovar
