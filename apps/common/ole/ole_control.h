// One OLE control as our containers host it (the Windows container and the script host's `ole`
// backend): created through the system registry, given the client site before anything else (the
// control reads its extender's Name when it loads), its events and change notifications advised,
// initialised, loaded or saved through IPersistPropertyBag, activated in place on the site's form.
// Failures are raised as the run-time errors they stand for (error_from_com).
//
// It is torn down in one order, by the destructor and by a constructor that fails part way:
//   1. unadvise the sinks, and disconnect them: a control that still calls them reaches nobody;
//   2. deactivate it in place (IOleInPlaceObject::InPlaceDeactivate): its window leaves the form;
//   3. close it (IOleObject::Close, without saving);
//   4. drop the site (IOleObject::SetClientSite(nullptr)): it lets go of the container.
// The program disconnects the site itself when it is done with it (ole_client_site.h).
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <string_view>

#include "apps/common/ole/control_sinks.h"
#include "apps/common/ole/ole_client_site.h"
#include "com/com_ref.h"
#include "component/bag_file.h"

namespace dnovar::ole {

class OleControl {
 public:
  // A new instance of the control registered as `prog_id`, in process; raises 429 ("ActiveX
  // component can't create object") when it is not registered or cannot be made.
  static ComRef<IUnknown> create(std::string_view prog_id);

  // Sites `object` on `site` and advises `listener`. Raises 430 when the object is no OLE control
  // with automation (IOleObject, IDispatch).
  OleControl(ComRef<IUnknown> object, ComRef<OleClientSite> site, SinkListener& listener);
  ~OleControl();
  OleControl(const OleControl&) = delete;
  OleControl& operator=(const OleControl&) = delete;

  void init_new();
  void load(MemoryBag& bag);
  // Writes the control's keys into `bag` (a key at its default is not written).
  void save(MemoryBag& bag);

  // In place on the site's form at `position` (form pixels), without taking the focus.
  void activate(const RECT& position);
  // The control's size in screen pixels, from its extent.
  SIZE size() const;

  OleClientSite& site() const { return *site_; }
  IDispatch& dispatch() const { return *dispatch_; }
  IOleControl* ole_control() const { return control_.get(); }
  // The control's window while it is active in place, else null.
  HWND window() const;

 private:
  void connect(SinkListener& listener);
  void advise(IUnknown& sink, REFIID iid, DWORD& cookie);
  void unadvise(REFIID iid, DWORD cookie);
  void tear_down() noexcept;

  ComRef<OleClientSite> site_;
  ComRef<IOleObject> object_;
  ComRef<IDispatch> dispatch_;
  ComRef<IOleControl> control_;
  ComRef<ControlSinks> sinks_;
  IID events_{};
  DWORD events_cookie_ = 0;
  DWORD changes_cookie_ = 0;
};

// IPersistPropertyBag's calls on a control, sited or not, with the program's bag lent to it
// (com_property_bag.h). Each raises 430 for a control without IPersistPropertyBag.
void init_new(IUnknown& control);
void load(IUnknown& control, MemoryBag& bag);
void save(IUnknown& control, MemoryBag& bag);

}  // namespace dnovar::ole
