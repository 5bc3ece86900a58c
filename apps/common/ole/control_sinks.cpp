#include "apps/common/ole/control_sinks.h"

#include "com/com_values.h"
#include "host/activex/com_boundary.h"

namespace dnovar::ole {

namespace {

const ErrorOrigin kOrigin{"dnovar container", &IID_IPropertyNotifySink};

}  // namespace

HRESULT ControlSinks::QueryInterface(REFIID iid, void** out) {
  if (events_ != IID{} && iid == events_) return ComObject::QueryInterface(IID_IDispatch, out);
  return ComObject::QueryInterface(iid, out);
}

HRESULT ControlSinks::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = event_type_ ? 1 : 0;
  return S_OK;
}

HRESULT ControlSinks::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  if (!event_type_) {
    *out = nullptr;
    return E_NOTIMPL;
  }
  return event_type_.copy_to(out);
}

HRESULT ControlSinks::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
  if (result != nullptr) VariantInit(result);
  return com_boundary(kOrigin, [&] {
    if (listener_ != nullptr) listener_->control_event(id, member_name(event_type_.get(), id));
    return S_OK;
  });
}

HRESULT ControlSinks::OnChanged(DISPID id) {
  return com_boundary(kOrigin, [&] {
    if (listener_ != nullptr) listener_->control_changed(id, member_name(control_type_.get(), id));
    return S_OK;
  });
}

std::string member_name(ITypeInfo* type, DISPID id) {
  Bstr name;
  if (type == nullptr ||
      FAILED(type->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr)) ||
      name.get() == nullptr)
    return std::to_string(id);
  return name.utf8();
}

}  // namespace dnovar::ole
