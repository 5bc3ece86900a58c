// One instance of the control as a container holds it: created by its ProgID through the system
// registry, given the container's client site before anything else, its events and change
// notifications advised, initialised or loaded through IPersistPropertyBag, activated in place on
// the form. Failures are raised as the run-time errors they stand for (error_from_com).
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <string_view>

#include "apps/common/ole/container_site.h"
#include "apps/container/win32/control_sinks.h"
#include "com/com_ref.h"
#include "component/bag_file.h"

namespace dnovar::container {

class OleControl {
 public:
  // Raises 429 ("ActiveX component can't create object") when the ProgID is not registered.
  OleControl(std::string_view prog_id, ComRef<ole::ContainerSite> site, SinkListener& listener);
  // Deactivated, closed and let go of its site, in that order.
  ~OleControl();
  OleControl(const OleControl&) = delete;
  OleControl& operator=(const OleControl&) = delete;

  void init_new();
  void load(MemoryBag& bag);
  // Writes the control's keys into `bag` (a key at its default is not written).
  void save(MemoryBag& bag);

  // In place on the site's window at `position` (form pixels), without taking the focus.
  void activate(const RECT& position);
  // The control's size in screen pixels, from its extent.
  SIZE size() const;

  IDispatch& dispatch() const { return *dispatch_; }
  IOleControl* ole_control() const { return control_.get(); }
  // The control's window while it is active in place, else null.
  HWND window() const;

 private:
  void connect(SinkListener& listener);
  void advise(IUnknown& sink, REFIID iid, DWORD& cookie);
  void unadvise(REFIID iid, DWORD cookie);
  // Unadvised, deactivated, closed and without its site: what the destructor and a failed
  // constructor leave.
  void tear_down() noexcept;
  ComRef<IPersistPropertyBag> persistence() const;

  ComRef<ole::ContainerSite> site_;
  ComRef<IOleObject> object_;
  ComRef<IDispatch> dispatch_;
  ComRef<IOleControl> control_;
  ComRef<ControlSinks> sinks_;
  IID events_{};
  DWORD events_cookie_ = 0;
  DWORD changes_cookie_ = 0;
};

}  // namespace dnovar::container
