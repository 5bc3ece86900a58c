// The container's IPropertyBag over a MemoryBag: what a control saves through IPersistPropertyBag
// lands in the bag the container writes to its file (docs/bag-format.md), and loading reads it.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include "com/bag_file.h"

namespace dnovar::container {

// Lives on the caller's stack for one Load or Save: its references are counted but never free it.
class ComPropertyBag final : public IPropertyBag {
 public:
  explicit ComPropertyBag(MemoryBag& bag) : bag_(bag) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  // An absent key is E_INVALIDARG, as the control expects; a value is converted to the type the
  // caller asks for when it asks for one (DISP_E_TYPEMISMATCH when it cannot be).
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  // Stores the value whatever it is; a value the bag files cannot hold is DISP_E_TYPEMISMATCH.
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

 private:
  MemoryBag& bag_;
  ULONG references_ = 1;
};

}  // namespace dnovar::container
