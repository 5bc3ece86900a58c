#include "apps/common/ole/in_place_frame.h"

namespace dnovar::ole {

HRESULT InPlaceFrame::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = window_;
  return window_ != nullptr ? S_OK : E_UNEXPECTED;
}

HRESULT InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  if (window_ == nullptr) return object == nullptr ? S_OK : E_UNEXPECTED;
  active_ = ComRef<IOleInPlaceActiveObject>::share(object);
  return S_OK;
}

void InPlaceFrame::disconnect() {
  window_ = nullptr;
  active_.reset();
}

}  // namespace dnovar::ole
