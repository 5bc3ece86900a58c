#include "tests/activex/ocx_factory.h"

#include "host/activex/com_guid.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {

ComRef<IClassFactory> ocx_class_factory() {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  ComRef<IClassFactory> factory;
  const HMODULE module = LoadLibraryW(wide_text(DNOVAR_OCX_PATH).c_str());
  if (module == nullptr) return factory;
  const auto get = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  if (get == nullptr ||
      FAILED(get(windows_guid(kDnovarClassId), IID_IClassFactory, factory.put_void())))
    factory.reset();
  return factory;
}

}  // namespace dnovar
