// What the control promises a host that asks before it scripts the control or loads it from data
// it does not trust (IObjectSafety; the registry's component categories say the same): the
// automation interfaces are safe for untrusted callers, the persistence interfaces for untrusted
// data. The control reads nothing but its own properties, and every hostile value ends in a
// run-time error.
#pragma once

#include <windows.h>

#include <objsafe.h>

// mingw-w64's objsafe.h declares the interface without the id __uuidof reads.
__CRT_UUID_DECL(IObjectSafety, 0xcb5bdc81, 0x93c1, 0x11cf, 0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0,
                0x64)

namespace dnovar {

// The INTERFACESAFE_* options the control supports for `iid`; 0 for an interface it makes no
// promise about.
DWORD supported_safety_options(REFIID iid);

}  // namespace dnovar
