// dnovar.ocx from the build tree, as a host loads an in-process server it found without the
// registry: the module stays loaded for the test program's life.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include "com/com_ref.h"

namespace dnovar {

// The control's class factory, or null when the module or its DllGetClassObject is missing or
// refuses.
ComRef<IClassFactory> ocx_class_factory();

}  // namespace dnovar
