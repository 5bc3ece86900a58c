// Compiles a type library described as data (component/type_library.h) into the binary form Windows
// reads (LoadTypeLib), through the system's own writer (ICreateTypeLib2): the module's TYPELIB
// resource is made from the same table the control's dispatch is bound to.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <filesystem>

#include "component/type_library.h"

namespace dnovar {

// Raises 5 with the failing step when the system's writer refuses the description.
void write_type_library(const TypeLibrary& library, SYSKIND target,
                        const std::filesystem::path& file);

// The variant type of a value type (OLE_COLOR is a user-defined type, VT_USERDEFINED).
VARTYPE variant_type_of(ValueType type);

}  // namespace dnovar
