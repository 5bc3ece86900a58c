// What Microsoft Active Accessibility (MSAA) clients, screen readers among them, see of a surface:
// the client object of its window. The widgets the surface draws have no windows of their own, so
// this object names them: its first children are the drawn labels (static text) and frames
// (grouping), in the table's order, each with the accessible name and description the control
// gave it, its place on the screen and its enabled state. After them come the child windows, as
// the system's own client object gives them; everything about the window itself is the system's.
//
// The object is made when a client first asks for it (WM_GETOBJECT) and kept by the surface. A
// client may hold it longer than the surface lives: the surface detaches it when it goes, and from
// then on it answers that it is no longer connected.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "com/com_ref.h"

namespace dnovar {

class Win32Surface;

class SurfaceAccessible;

// The surface's side: made on the first request, detached and released when the surface goes.
class SurfaceAccessibility {
 public:
  explicit SurfaceAccessibility(Win32Surface& surface);
  ~SurfaceAccessibility();
  SurfaceAccessibility(const SurfaceAccessibility&) = delete;
  SurfaceAccessibility& operator=(const SurfaceAccessibility&) = delete;

  // The answer to WM_GETOBJECT: the client object for OBJID_CLIENT, else 0 (the system answers).
  LRESULT answer(WPARAM w, LPARAM l);

 private:
  Win32Surface& surface_;
  ComRef<SurfaceAccessible> object_;
};

}  // namespace dnovar
