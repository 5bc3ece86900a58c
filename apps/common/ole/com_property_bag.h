// The container's IPropertyBag over a MemoryBag: what a control saves through IPersistPropertyBag
// lands in the bag the program keeps (a bag file's, docs/bag-format.md, or a script's), and
// loading reads it.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include "com/com_object.h"
#include "component/bag_file.h"

namespace dnovar::ole {

// Lent to the control for one Load or Save; the caller closes it after the call, so a control
// that keeps it finds no bag (E_UNEXPECTED) instead of one that is gone.
class ComPropertyBag final : public ComObject<IPropertyBag> {
 public:
  explicit ComPropertyBag(MemoryBag& bag) : bag_(&bag) {}

  void close() { bag_ = nullptr; }

  // An absent key is E_INVALIDARG, as the control expects. The caller's value holds the type it
  // asks for: VT_EMPTY takes the value as stored, any other type gets the value converted to it
  // (VariantChangeType's failure, DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW, when it cannot be).
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  // Stores the value whatever it is; a value the bag files cannot hold is DISP_E_TYPEMISMATCH.
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

 private:
  MemoryBag* bag_;
};

}  // namespace dnovar::ole
