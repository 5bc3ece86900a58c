// dnovar.ocx is apartment-threaded: a second thread that calls it with the raw pointer is refused
// at once (no wait on the owner's messages), one that calls through a marshalled proxy is served
// while the owner pumps its messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <functional>
#include <string>
#include <type_traits>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "host/activex/dual_interface.h"
#include "host/activex/object_safety.h"
#include "host/activex/private_interfaces.h"
#include "tests/activex/ocx_factory.h"

namespace dnovar {
namespace {

constexpr DISPID kVelikonoce = 0x60030015;
constexpr DISPID kDplus = 0x40030009;

DWORD WINAPI run_in_apartment(void* body) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (*static_cast<const std::function<void()>*>(body))();
  CoUninitialize();
  return 0;
}

// Runs `body` on a thread of its own apartment; whether it ended within `limit_ms`. The owner
// pumps its messages meanwhile when told to (a marshalled call needs them; a raw one must not).
bool ran_on_other_thread(const std::function<void()>& body, DWORD limit_ms, bool pump) {
  HANDLE thread = CreateThread(nullptr, 0, &run_in_apartment,
                               const_cast<std::function<void()>*>(&body), 0, nullptr);
  if (thread == nullptr) return false;
  const ULONGLONG deadline = GetTickCount64() + limit_ms;
  bool ended = false;
  while (!ended && GetTickCount64() < deadline) {
    const DWORD left = static_cast<DWORD>(deadline - GetTickCount64());
    ended = (pump ? MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_ALLINPUT)
                  : WaitForSingleObject(thread, left)) == WAIT_OBJECT_0;
    MSG message;
    while (pump && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  // A thread stuck in the control would hold the test forever; being stuck is the failure.
  if (!ended) TerminateThread(thread, 1);
  CloseHandle(thread);
  return ended;
}

HRESULT easter(IDispatch& control, ComVariant& result) {
  VARIANT year;
  V_VT(&year) = VT_I2;
  V_I2(&year) = 2024;
  DISPPARAMS parameters{&year, nullptr, 1, 0};
  return control.Invoke(kVelikonoce, IID_NULL, 0, DISPATCH_METHOD, &parameters, result.put(),
                        nullptr, nullptr);
}

class ApartmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    const ComRef<IClassFactory> factory = ocx_class_factory();
    ASSERT_TRUE(factory);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, control_.put_void()), S_OK);
    ASSERT_EQ(control_->QueryInterface(DnovarDual::iid, dual_.put_void()), S_OK);
  }
  void TearDown() override {
    dual_.reset();
    control_.reset();
    OleUninitialize();
  }

  ComRef<IDispatch> control_;
  ComRef<DnovarDual> dual_;
};

// An argument of type T for a call that must not read it: zero, or a pointer at a zeroed block
// (a call that wrongly ran would find empty values there, not crash on a null pointer first).
template <typename T>
T blank(void* block) {
  if constexpr (std::is_reference_v<T>) {
    return *static_cast<std::remove_reference_t<T>*>(block);
  } else if constexpr (std::is_pointer_v<T> && !std::is_function_v<std::remove_pointer_t<T>>) {
    return static_cast<T>(block);
  } else {
    return T{};
  }
}

// `method` of `object`'s Interface, called with blank arguments.
template <typename Interface, typename... Params>
HRESULT call_blank(IUnknown& object, HRESULT (STDMETHODCALLTYPE Interface::*method)(Params...)) {
  [[maybe_unused]] alignas(16) unsigned char block[512]{};
  ComRef<Interface> target;
  if (FAILED(object.QueryInterface(interface_id<Interface>(), target.put_void())))
    return E_NOINTERFACE;
  return (target.get()->*method)(blank<Params>(block)...);
}

struct Method {
  const char* name;
  std::function<HRESULT()> call;
};

template <typename Member>
Method method(const char* name, IUnknown& object, Member member) {
  return {name, [&object, member] { return call_blank(object, member); }};
}
#define DNOVAR_METHOD(object, Interface, Name) \
  method(#Interface "::" #Name, object, &Interface::Name)

TEST_F(ApartmentTest, ARawCallFromAnotherThreadIsRefusedWithinASecond) {
  IUnknown& c = *control_;
  ComRef<IConnectionPoint> changes;
  ASSERT_EQ(control_.query<IConnectionPointContainer>()->FindConnectionPoint(
                IID_IPropertyNotifySink, changes.put()),
            S_OK);
  IUnknown& point = *changes;
  // Every method of every interface the control answers, and of its connection points.
  const Method methods[] = {
      DNOVAR_METHOD(c, IDispatch, GetTypeInfoCount),
      DNOVAR_METHOD(c, IDispatch, GetTypeInfo),
      DNOVAR_METHOD(c, IDispatch, GetIDsOfNames),
      DNOVAR_METHOD(c, IDispatch, Invoke),
      DNOVAR_METHOD(c, DnovarDual, get_Dtyd),
      DNOVAR_METHOD(c, DnovarDual, put_Dtyd),
      DNOVAR_METHOD(c, DnovarDual, get_Dtyd1),
      DNOVAR_METHOD(c, DnovarDual, put_Dtyd1),
      DNOVAR_METHOD(c, DnovarDual, get_Svatky),
      DNOVAR_METHOD(c, DnovarDual, put_Svatky),
      DNOVAR_METHOD(c, DnovarDual, get_Dlow),
      DNOVAR_METHOD(c, DnovarDual, put_Dlow),
      DNOVAR_METHOD(c, DnovarDual, get_Dhigh),
      DNOVAR_METHOD(c, DnovarDual, put_Dhigh),
      DNOVAR_METHOD(c, DnovarDual, get_Dplus),
      DNOVAR_METHOD(c, DnovarDual, put_Dplus),
      DNOVAR_METHOD(c, DnovarDual, Aktualizuj),
      DNOVAR_METHOD(c, DnovarDual, get_Caption),
      DNOVAR_METHOD(c, DnovarDual, put_Caption),
      DNOVAR_METHOD(c, DnovarDual, get_VyberColor),
      DNOVAR_METHOD(c, DnovarDual, put_VyberColor),
      DNOVAR_METHOD(c, DnovarDual, get_Datum),
      DNOVAR_METHOD(c, DnovarDual, put_Datum),
      DNOVAR_METHOD(c, DnovarDual, Velikonoce),
      DNOVAR_METHOD(c, DnovarDual, get_Enabled),
      DNOVAR_METHOD(c, DnovarDual, put_Enabled),
      DNOVAR_METHOD(c, DnovarDual, ShowAbout),
      DNOVAR_METHOD(c, ISupportErrorInfo, InterfaceSupportsErrorInfo),
      DNOVAR_METHOD(c, IProvideClassInfo, GetClassInfo),
      DNOVAR_METHOD(c, IProvideClassInfo2, GetGUID),
      DNOVAR_METHOD(c, IConnectionPointContainer, EnumConnectionPoints),
      DNOVAR_METHOD(c, IConnectionPointContainer, FindConnectionPoint),
      DNOVAR_METHOD(point, IConnectionPoint, GetConnectionInterface),
      DNOVAR_METHOD(point, IConnectionPoint, GetConnectionPointContainer),
      DNOVAR_METHOD(point, IConnectionPoint, Advise),
      DNOVAR_METHOD(point, IConnectionPoint, Unadvise),
      DNOVAR_METHOD(point, IConnectionPoint, EnumConnections),
      DNOVAR_METHOD(c, IPersist, GetClassID),
      DNOVAR_METHOD(c, IPersistPropertyBag, InitNew),
      DNOVAR_METHOD(c, IPersistPropertyBag, Load),
      DNOVAR_METHOD(c, IPersistPropertyBag, Save),
      DNOVAR_METHOD(c, IPersistStreamInit, IsDirty),
      DNOVAR_METHOD(c, IPersistStreamInit, Load),
      DNOVAR_METHOD(c, IPersistStreamInit, Save),
      DNOVAR_METHOD(c, IPersistStreamInit, GetSizeMax),
      DNOVAR_METHOD(c, IPersistStreamInit, InitNew),
      DNOVAR_METHOD(c, IOleObject, SetClientSite),
      DNOVAR_METHOD(c, IOleObject, GetClientSite),
      DNOVAR_METHOD(c, IOleObject, SetHostNames),
      DNOVAR_METHOD(c, IOleObject, Close),
      DNOVAR_METHOD(c, IOleObject, SetMoniker),
      DNOVAR_METHOD(c, IOleObject, GetMoniker),
      DNOVAR_METHOD(c, IOleObject, InitFromData),
      DNOVAR_METHOD(c, IOleObject, GetClipboardData),
      DNOVAR_METHOD(c, IOleObject, DoVerb),
      DNOVAR_METHOD(c, IOleObject, EnumVerbs),
      DNOVAR_METHOD(c, IOleObject, Update),
      DNOVAR_METHOD(c, IOleObject, IsUpToDate),
      DNOVAR_METHOD(c, IOleObject, GetUserClassID),
      DNOVAR_METHOD(c, IOleObject, GetUserType),
      DNOVAR_METHOD(c, IOleObject, SetExtent),
      DNOVAR_METHOD(c, IOleObject, GetExtent),
      DNOVAR_METHOD(c, IOleObject, Advise),
      DNOVAR_METHOD(c, IOleObject, Unadvise),
      DNOVAR_METHOD(c, IOleObject, EnumAdvise),
      DNOVAR_METHOD(c, IOleObject, GetMiscStatus),
      DNOVAR_METHOD(c, IOleObject, SetColorScheme),
      DNOVAR_METHOD(c, IOleWindow, GetWindow),
      DNOVAR_METHOD(c, IOleWindow, ContextSensitiveHelp),
      DNOVAR_METHOD(c, IOleInPlaceObject, InPlaceDeactivate),
      DNOVAR_METHOD(c, IOleInPlaceObject, UIDeactivate),
      DNOVAR_METHOD(c, IOleInPlaceObject, SetObjectRects),
      DNOVAR_METHOD(c, IOleInPlaceObject, ReactivateAndUndo),
      DNOVAR_METHOD(c, IOleInPlaceActiveObject, TranslateAccelerator),
      DNOVAR_METHOD(c, IOleInPlaceActiveObject, OnFrameWindowActivate),
      DNOVAR_METHOD(c, IOleInPlaceActiveObject, OnDocWindowActivate),
      DNOVAR_METHOD(c, IOleInPlaceActiveObject, ResizeBorder),
      DNOVAR_METHOD(c, IOleInPlaceActiveObject, EnableModeless),
      DNOVAR_METHOD(c, IOleControl, GetControlInfo),
      DNOVAR_METHOD(c, IOleControl, OnMnemonic),
      DNOVAR_METHOD(c, IOleControl, OnAmbientPropertyChange),
      DNOVAR_METHOD(c, IOleControl, FreezeEvents),
      DNOVAR_METHOD(c, IViewObject, Draw),
      DNOVAR_METHOD(c, IViewObject, GetColorSet),
      DNOVAR_METHOD(c, IViewObject, Freeze),
      DNOVAR_METHOD(c, IViewObject, Unfreeze),
      DNOVAR_METHOD(c, IViewObject, SetAdvise),
      DNOVAR_METHOD(c, IViewObject, GetAdvise),
      DNOVAR_METHOD(c, IViewObject2, GetExtent),
      DNOVAR_METHOD(c, IObjectSafety, GetInterfaceSafetyOptions),
      DNOVAR_METHOD(c, IObjectSafety, SetInterfaceSafetyOptions),
      DNOVAR_METHOD(c, DnovarInspection, ReadMember),
      DNOVAR_METHOD(c, DnovarInspection, ReadWidget),
      DNOVAR_METHOD(c, DnovarInspection, StartOn),
  };
  for (const Method& method : methods) {
    SCOPED_TRACE(method.name);
    HRESULT status = S_OK;
    // The owner does not pump: a call that waited on it would not end.
    ASSERT_TRUE(ran_on_other_thread([&] { status = method.call(); }, 1000, false));
    EXPECT_EQ(status, RPC_E_WRONG_THREAD);
  }
  // IUnknown's methods are the harmless exception: they answer on any thread.
  HRESULT identity = E_FAIL;
  ULONG added = 0, released = 0;
  ASSERT_TRUE(ran_on_other_thread(
      [&] {
        ComRef<IUnknown> unknown;
        identity = c.QueryInterface(IID_IUnknown, unknown.put_void());
        added = unknown->AddRef();
        released = unknown->Release();
      },
      1000, false));
  EXPECT_EQ(identity, S_OK);
  EXPECT_EQ(added, released + 1);
  // The owner's own calls are unharmed.
  ComVariant result;
  EXPECT_EQ(easter(*control_, result), S_OK);
}
#undef DNOVAR_METHOD

TEST_F(ApartmentTest, AMarshalledCallFromAnotherApartmentIsServed) {
  ComVariant own;
  ASSERT_EQ(easter(*control_, own), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IDispatch, control_.get(), &stream), S_OK);

  HRESULT easter_status = E_FAIL, put_status = E_FAIL;
  ComVariant remote;
  const bool ended = ran_on_other_thread(
      [&] {
        ComRef<IDispatch> proxy;
        if (FAILED(CoGetInterfaceAndReleaseStream(stream, IID_IDispatch, proxy.put_void()))) return;
        easter_status = easter(*proxy, remote);
        VARIANT three;
        V_VT(&three) = VT_I2;
        V_I2(&three) = 3;
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS parameters{&three, &named, 1, 1};
        put_status = proxy->Invoke(kDplus, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters, nullptr,
                                   nullptr, nullptr);
      },
      10000, true);
  ASSERT_TRUE(ended);
  EXPECT_EQ(easter_status, S_OK);
  ASSERT_EQ(V_VT(remote.get()), VT_DATE);
  EXPECT_EQ(V_DATE(remote.get()), V_DATE(own.get()));
  EXPECT_EQ(put_status, S_OK);
  short dplus = 0;
  EXPECT_EQ(dual_->get_Dplus(&dplus), S_OK);
  EXPECT_EQ(dplus, 3);
}

}  // namespace
}  // namespace dnovar
