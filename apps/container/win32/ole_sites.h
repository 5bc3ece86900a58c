// The container's side of the control's embedding, as an ActiveX container offers it:
//   ControlSiteObject  IOleClientSite, IOleInPlaceSite and IOleControlSite: where the control sits
//                      on the form, and its extender
//   InPlaceFrame       IOleInPlaceFrame: the main window, which keeps the control's active object
//                      for the message loop's keys
//   Extender           IDispatch with the one extended property Name ("Dnovar1"), which the
//                      control reads late-bound for its caption
// The window holds them and closes and releases the control before it goes; when it goes it
// disconnects them, and a control that still holds one then finds it answering that the form is
// gone (E_UNEXPECTED) instead of reaching a window that is no more.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <string>

#include "com/windows/com_object.h"

namespace dnovar::container {

// What the sites tell the window.
class SiteListener {
 public:
  virtual ~SiteListener() = default;
  virtual void log(const std::string& line) = 0;
  // The control changed its keyboard interface (IOleControlSite::OnControlInfoChanged).
  virtual void control_info_changed() = 0;
};

class Extender final : public ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override;

  const std::string& name() const { return name_; }
  // Raises 380 for a name that is not valid_instance_name; the old name stays.
  void set_name(std::string name);

 private:
  std::string name_ = "Dnovar1";
};

class InPlaceFrame final
    : public ComObject<Answers<IOleInPlaceFrame, IOleInPlaceUIWindow, IOleWindow>> {
 public:
  explicit InPlaceFrame(HWND window) : window_(window) {}

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // The control's active object while it is UI-active, else null.
  IOleInPlaceActiveObject* active_object() const { return active_.get(); }
  // The window is going: the frame lets go of the active object and has no window any more.
  void disconnect();

 private:
  HWND window_;
  ComRef<IOleInPlaceActiveObject> active_;
};

class ControlSiteObject final
    : public ComObject<IOleClientSite, Answers<IOleInPlaceSite, IOleWindow>, IOleControlSite> {
 public:
  ControlSiteObject(HWND form, ComRef<InPlaceFrame> frame, ComRef<Extender> extender,
                    SiteListener& listener)
      : form_(form),
        frame_(std::move(frame)),
        extender_(std::move(extender)),
        listener_(&listener) {}

  // Where the control goes on the form, in the form's pixels.
  void set_position(const RECT& position) { position_ = position; }
  const RECT& position() const { return position_; }
  bool in_place_active() const { return in_place_active_; }
  // The form and the listener are going: from now on the site tells the window nothing.
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

  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric, POINTF* container,
                                            DWORD flags) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

 private:
  HWND form_;
  ComRef<InPlaceFrame> frame_;
  ComRef<Extender> extender_;
  SiteListener* listener_;
  RECT position_{};
  bool in_place_active_ = false;
};

}  // namespace dnovar::container
