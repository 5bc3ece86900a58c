// The Windows COM support as the control and its containers use it: errors crossing the boundary
// out of our methods and back into a client's run-time error, and conversions that fail without
// leaking what they were given.
#include <gtest/gtest.h>

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "com/com_ref.h"
#include "host/activex/com_boundary.h"
#include "host/activex/variant_bridge.h"

namespace dnovar {
namespace {

const IID kOriginInterface = {
    0x0F1E2D3C, 0x4B5A, 0x6978, {0x87, 0x96, 0xA5, 0xB4, 0xC3, 0xD2, 0xE1, 0xF0}};
const ErrorOrigin kOrigin{"Test.Origin", &kOriginInterface};

// A method of ours whose body throws: run through the vtable boundary when the caller gives no
// EXCEPINFO, else through the dispatch one.
std::function<HRESULT(EXCEPINFO*)> ours(std::function<void()> body) {
  return [body](EXCEPINFO* exception) {
    auto run = [&]() -> HRESULT {
      body();
      return S_OK;
    };
    return exception == nullptr ? com_boundary(kOrigin, run)
                                : dispatch_boundary(kOrigin, exception, run);
  };
}

// Another object's Invoke that fills the caller's EXCEPINFO as given.
std::function<HRESULT(EXCEPINFO*)> theirs(WORD code, SCODE scode, const wchar_t* description) {
  return [=](EXCEPINFO* exception) {
    exception->wCode = code;
    exception->scode = scode;
    exception->bstrDescription = SysAllocString(description);
    return DISP_E_EXCEPTION;
  };
}

HRESULT STDMETHODCALLTYPE fill_in_later(EXCEPINFO* exception) {
  exception->wCode = 1004;
  exception->bstrDescription = SysAllocString(L"Filled in late");
  return S_OK;
}

struct Crossing {
  const char* name;
  std::function<HRESULT(EXCEPINFO*)> callee;
  bool with_exception_info;  // the caller passes an EXCEPINFO, as a late-bound call does
  HRESULT status;            // what the callee returns
  int number;                // the run-time error the caller makes of it
  std::string text;
};

TEST(ComBoundary, ErrorsCrossOutOfOurMethodsAndBackIntoTheCallersRunTimeError) {
  const Crossing crossings[] = {
      {"run-time error, vtable", ours([] { throw RuntimeError(13, "Type mismatch"); }), false,
       static_cast<HRESULT>(0x800A000D), 13, "Type mismatch"},
      {"run-time error, dispatch", ours([] { throw RuntimeError(13, "Type mismatch"); }), true,
       DISP_E_EXCEPTION, 13, "Type mismatch"},
      {"large number, vtable", ours([] { throw RuntimeError(380, "Invalid property value"); }),
       false, static_cast<HRESULT>(0x800A017C), 380, "Invalid property value"},
      {"no memory, vtable", ours([] { throw std::bad_alloc(); }), false, E_OUTOFMEMORY, 7,
       "Out of memory (reading Datum: 0x8007000E)"},
      {"no memory, dispatch", ours([] { throw std::bad_alloc(); }), true, E_OUTOFMEMORY, 7,
       "Out of memory (reading Datum: 0x8007000E)"},
      {"anything else, vtable", ours([] { throw std::logic_error("lost"); }), false,
       static_cast<HRESULT>(0x800A0033), 51, "Internal error: lost"},
      {"anything else, dispatch", ours([] { throw std::logic_error("lost"); }), true,
       DISP_E_EXCEPTION, 51, "Internal error: lost"},
      {"plain status", [](EXCEPINFO*) { return DISP_E_MEMBERNOTFOUND; }, true,
       DISP_E_MEMBERNOTFOUND, 438,
       "Object doesn't support this property or method (reading Datum: 0x80020003)"},
      {"control error in scode", theirs(0, 0x800A0009, L"Subscript out of range"), true,
       DISP_E_EXCEPTION, 9, "Subscript out of range"},
      {"wCode before scode", theirs(1004, 0x800A0009, L"Application error"), true, DISP_E_EXCEPTION,
       1004, "Application error"},
      {"deferred fill-in",
       [](EXCEPINFO* exception) {
         exception->pfnDeferredFillIn = &fill_in_later;
         return DISP_E_EXCEPTION;
       },
       true, DISP_E_EXCEPTION, 1004, "Filled in late"},
  };
  for (const Crossing& crossing : crossings) {
    SetErrorInfo(0, nullptr);
    ExcepInfo exception;
    const HRESULT status =
        crossing.callee(crossing.with_exception_info ? exception.get() : nullptr);
    EXPECT_EQ(status, crossing.status) << crossing.name;
    const RuntimeError error = error_from_com(status, &exception, "reading Datum");
    EXPECT_EQ(error.number(), crossing.number) << crossing.name;
    EXPECT_EQ(std::string(error.what()), crossing.text) << crossing.name;
  }
}

TEST(ComBoundary, AReportedErrorNamesItsSourceAndInterface) {
  const auto fail = ours([] { throw RuntimeError(5, "Invalid procedure call"); });

  SetErrorInfo(0, nullptr);
  ASSERT_EQ(fail(nullptr), static_cast<HRESULT>(0x800A0005));
  ComRef<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
  Bstr source;
  GUID interface_id{};
  ASSERT_EQ(info->GetSource(source.put()), S_OK);
  ASSERT_EQ(info->GetGUID(&interface_id), S_OK);
  EXPECT_EQ(source.utf8(), "Test.Origin");
  EXPECT_TRUE(IsEqualGUID(interface_id, kOriginInterface));

  ExcepInfo exception;
  ASSERT_EQ(fail(exception.get()), DISP_E_EXCEPTION);
  EXPECT_EQ(utf8_from_bstr(exception.get()->bstrSource), "Test.Origin");
  EXPECT_EQ(exception.get()->scode, static_cast<SCODE>(0x800A0005));
  EXPECT_EQ(exception.get()->wCode, 0);
}

// An object a VARIANT refers to, counting the references held on it.
class CountedDispatch final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }  // on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  ULONG references = 1;
};

TEST(VariantBridge, AnObjectIsATypeMismatchAndKeepsItsReferences) {
  CountedDispatch object;
  IDispatch* variable = &object;
  VARIANT by_value;
  V_VT(&by_value) = VT_DISPATCH;
  V_DISPATCH(&by_value) = &object;
  const struct {
    const char* name;
    VARIANT value;
  } cases[] = {
      {"object", by_value},
      {"object by reference",
       [&] {
         VARIANT value;
         V_VT(&value) = VT_BYREF | VT_DISPATCH;
         V_DISPATCHREF(&value) = &variable;
         return value;
       }()},
      {"unknown by reference",
       [&] {
         VARIANT value;
         V_VT(&value) = VT_BYREF | VT_UNKNOWN;
         V_UNKNOWNREF(&value) = reinterpret_cast<IUnknown**>(&variable);
         return value;
       }()},
      {"variable holding an object",
       [&] {
         VARIANT value;
         V_VT(&value) = VT_BYREF | VT_VARIANT;
         V_VARIANTREF(&value) = &by_value;
         return value;
       }()},
  };
  for (const auto& c : cases) {
    try {
      variant_from_com(c.value);
      ADD_FAILURE() << c.name << " converted";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), 13) << c.name;
    }
    EXPECT_EQ(object.references, 1u) << c.name;
  }
}

}  // namespace
}  // namespace dnovar
