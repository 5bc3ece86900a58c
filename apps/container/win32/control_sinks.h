// What the container hears from the control: its events (an IDispatch on the control's default
// source interface, whatever its interface id) and its change notifications (IPropertyNotifySink).
// Members are named from the control's own type information; the log lines are those of the
// other container: "event NAME" and "changed NAME".
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <string>

#include "com/windows/com_ref.h"

namespace dnovar::container {

class SinkListener {
 public:
  virtual ~SinkListener() = default;
  virtual void control_event(const std::string& name) = 0;
  virtual void control_changed(const std::string& name) = 0;
};

// Owned by the control it listens to (ole_control.h), which unadvises it before it goes.
class ControlSinks final : public IDispatch, public IPropertyNotifySink {
 public:
  ControlSinks(SinkListener& listener, IID events, ComRef<ITypeInfo> event_type,
               ComRef<ITypeInfo> control_type)
      : listener_(listener),
        events_(events),
        event_type_(std::move(event_type)),
        control_type_(std::move(control_type)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  // IDispatch: the events
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO*, UINT*) override;

  // IPropertyNotifySink
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

 private:
  SinkListener& listener_;
  IID events_;
  ComRef<ITypeInfo> event_type_;
  ComRef<ITypeInfo> control_type_;
  ULONG references_ = 1;
};

}  // namespace dnovar::container
