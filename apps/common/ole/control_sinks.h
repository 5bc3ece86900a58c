// What a container hears from the control it hosts: its events (an IDispatch on the control's
// default source interface, whatever that interface's id) and its change notifications
// (IPropertyNotifySink). Each is handed to the listener with its dispatch id and the member's
// name from the control's own type information.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <string>

#include "apps/common/ole/late_bound_dispatch.h"
#include "com/com_ref.h"

namespace dnovar::ole {

class SinkListener {
 public:
  virtual ~SinkListener() = default;
  virtual void control_event(DISPID id, const std::string& name) = 0;
  virtual void control_changed(DISPID id, const std::string& name) = 0;
};

// Held by the OleControl that advised it, which unadvises and disconnects it before it lets go of
// the control: a control that still calls it then reaches no listener.
class ControlSinks final : public LateBoundDispatch<IDispatch, IPropertyNotifySink> {
 public:
  // `events` is the events' interface id (none: IID_NULL); `event_type` and `control_type` name
  // the members (either may be null).
  ControlSinks(SinkListener& listener, IID events, ComRef<ITypeInfo> event_type,
               ComRef<ITypeInfo> control_type)
      : listener_(&listener),
        events_(events),
        event_type_(std::move(event_type)),
        control_type_(std::move(control_type)) {}

  void disconnect() { listener_ = nullptr; }

  // The events' interface id is known only once the control is made: the IDispatch answers it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

  // IDispatch: the events, called by dispatch id (no names: LateBoundDispatch's GetIDsOfNames).
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
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

// The name of member `id` of `type`, or the number when the type information has none.
std::string member_name(ITypeInfo* type, DISPID id);

}  // namespace dnovar::ole
