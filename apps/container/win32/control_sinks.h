// What the container hears from the control: its events (an IDispatch on the control's default
// source interface, whatever its interface id) and its change notifications (IPropertyNotifySink).
// Members are named from the control's own type information; the log lines are those of the
// other container: "event NAME" and "changed NAME".
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <string>

#include "com/com_object.h"

namespace dnovar::container {

class SinkListener {
 public:
  virtual ~SinkListener() = default;
  virtual void control_event(const std::string& name) = 0;
  virtual void control_changed(const std::string& name) = 0;
};

// Held by the control it listens to (ole_control.h), which unadvises and disconnects it before it
// goes: a control that still calls it then reaches no listener.
class ControlSinks final : public ComObject<IDispatch, IPropertyNotifySink> {
 public:
  ControlSinks(SinkListener& listener, IID events, ComRef<ITypeInfo> event_type,
               ComRef<ITypeInfo> control_type)
      : listener_(&listener),
        events_(events),
        event_type_(std::move(event_type)),
        control_type_(std::move(control_type)) {}

  void disconnect() { listener_ = nullptr; }

  // The events' interface id is known only once the control is made: the IDispatch answers it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

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
  SinkListener* listener_;
  IID events_;
  ComRef<ITypeInfo> event_type_;
  ComRef<ITypeInfo> control_type_;
};

}  // namespace dnovar::container
