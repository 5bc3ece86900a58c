// The container's side of a control's embedding, as an ActiveX container offers it, shared by
// the programs that host dnovar.ocx (the Windows container and the script host's `ole` backend):
//   OleClientSite  IOleClientSite, IOleInPlaceSite and IOleControlSite: where the control sits on
//                  the form; IDispatch: the container's ambient properties (UserMode)
//   the extender   IDispatch with the one extended property Name, which the control reads
//                  late-bound for its caption (IOleControlSite::GetExtendedControl)
// What differs between the programs (the instance's name, what a changed keyboard interface
// means to them) is asked of their SiteOwner. The program disconnects the site when it lets go of
// the control; a control that still holds the site or its extender then finds them answering that
// the form is gone (E_UNEXPECTED) instead of reaching a window or an owner that is no more.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <string>

#include "apps/common/ole/in_place_frame.h"
#include "apps/common/ole/late_bound_dispatch.h"
#include "com/com_object.h"

namespace dnovar::ole {

class SiteOwner {
 public:
  virtual ~SiteOwner() = default;
  // The extender's Name; raises a RuntimeError for a container without the extender property.
  virtual std::string extender_name() = 0;
  // The control changed its keyboard interface (IOleControlSite::OnControlInfoChanged).
  virtual void control_info_changed() {}
};

// The owner the site and its extender share; null once the program has disconnected them.
struct SiteConnection {
  SiteOwner* owner;
};

class OleClientSite : public LateBoundDispatch<IOleClientSite, Answers<IOleInPlaceSite, IOleWindow>,
                                               IOleControlSite, IDispatch> {
 public:
  // `form` is the window the control is activated in; `frame` the main window's frame, or null
  // for a control on a plain form (no frame to negotiate with).
  OleClientSite(SiteOwner& owner, HWND form, ComRef<InPlaceFrame> frame);

  // Where the control goes on the form, in the form's pixels.
  void set_position(const RECT& position) { position_ = position; }
  const RECT& position() const { return position_; }
  bool in_place_active() const { return in_place_active_; }
  // The ambient UserMode: false while the container designs its form (places and initialises a
  // control), true while it runs. A control reads it when it gets the site and when it is told of
  // the change (DesignTime below).
  void set_user_mode(bool running) { user_mode_ = running; }
  // The program lets go of the control: from now on the site and its extender tell it nothing.
  void disconnect();

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

  // IOleControlSite. The container has no keys of its own to take before its dialog manager:
  // a key the control hands back (Tab at its last stop) goes on to the form's next field.
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric, POINTF* container,
                                            DWORD flags) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

  // IDispatch: the ambient properties, by their standard ids only (LateBoundDispatch's
  // GetIDsOfNames knows no names).
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override;

 protected:
  // The program's owner, null once disconnected.
  SiteOwner* owner() const { return connection_->owner; }

 private:
  std::shared_ptr<SiteConnection> connection_;
  HWND form_;
  ComRef<InPlaceFrame> frame_;
  ComRef<IDispatch> extender_;
  RECT position_{};
  bool in_place_active_ = false;
  bool user_mode_ = true;
};

// The container designs its form while this lives: ambient UserMode is false, and a control
// already on the site (`control`, may be null) is told so, and told again when the container runs
// its form once more. A control in design mode
// takes no user input, raises no event, and a new one (InitNew) stays as initialised: the
// container places, initialises and saves it as a form designer does.
class DesignTime {
 public:
  DesignTime(OleClientSite& site, IUnknown* control);
  ~DesignTime();
  DesignTime(const DesignTime&) = delete;
  DesignTime& operator=(const DesignTime&) = delete;

 private:
  OleClientSite& site_;
  ComRef<IOleControl> control_;
};

}  // namespace dnovar::ole
