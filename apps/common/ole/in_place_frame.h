// The main window's side of in-place activation (IOleInPlaceFrame): it keeps the control's active
// object while the control is UI-active, so the message loop can offer it the keys first. A
// container whose control sits on a plain form has none (its site hands out no frame).
#pragma once

#include <windows.h>

#include <oleidl.h>

#include "com/com_object.h"

namespace dnovar::ole {

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

}  // namespace dnovar::ole
