#include "apps/container/win32/control_sinks.h"

#include "apps/container/win32/dispatch_calls.h"

namespace dnovar::container {

HRESULT ControlSinks::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
    *out = static_cast<IDispatch*>(this);
  } else if (iid == IID_IPropertyNotifySink) {
    *out = static_cast<IPropertyNotifySink*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT ControlSinks::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = event_type_ ? 1 : 0;
  return S_OK;
}

HRESULT ControlSinks::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = event_type_.get();
  if (*out == nullptr) return E_NOTIMPL;
  (*out)->AddRef();
  return S_OK;
}

HRESULT ControlSinks::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
  if (result != nullptr) VariantInit(result);
  listener_.control_event(member_name(event_type_.get(), id));
  return S_OK;
}

HRESULT ControlSinks::OnChanged(DISPID id) {
  listener_.control_changed(member_name(control_type_.get(), id));
  return S_OK;
}

}  // namespace dnovar::container
