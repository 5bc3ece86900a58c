// The control's dual interface _Dnovar as its vtable lays it out: IDispatch's seven entries, then
// one entry per function of the type library's _Dnovar, in the library's order, each returning
// HRESULT with a read accessor's value through a trailing pointer. A test compares every entry's
// place with the compiled library's.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <olectl.h>

#include "host/activex/com_guid.h"
#include "host/type_library.h"

namespace dnovar {

struct DnovarDual : public IDispatch {
  static constexpr GUID iid = windows_guid(kDnovarInterfaceId);

  virtual HRESULT STDMETHODCALLTYPE get_Dtyd(short* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Dtyd(short value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Dtyd1(short* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Dtyd1(short value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Svatky(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Svatky(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Dlow(short* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Dlow(short value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Dhigh(short* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Dhigh(short value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Dplus(short* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Dplus(short value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Aktualizuj(short* k) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Caption(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_VyberColor(OLE_COLOR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_VyberColor(OLE_COLOR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Datum(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Datum(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Velikonoce(short* Rok, DATE* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowAbout() = 0;

 protected:
  ~DnovarDual() = default;
};

// Entries of DnovarDual before its own: IUnknown's three and IDispatch's four.
inline constexpr int kDualFirstOwnEntry = 7;

}  // namespace dnovar
