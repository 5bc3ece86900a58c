// dnovar.ocx is apartment-threaded: a second thread that calls it with the raw pointer is refused
// at once (no wait on the owner's messages), one that calls through a marshalled proxy is served
// while the owner pumps its messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <functional>
#include <string>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "host/activex/dual_interface.h"
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

TEST_F(ApartmentTest, ARawCallFromAnotherThreadIsRefusedWithinASecond) {
  IDispatch* control = control_.get();
  DnovarDual* dual = dual_.get();
  ComRef<IConnectionPoint> changes;
  ASSERT_EQ(control_.query<IConnectionPointContainer>()->FindConnectionPoint(
                IID_IPropertyNotifySink, changes.put()),
            S_OK);
  const struct {
    const char* what;
    std::function<HRESULT()> call;
  } cases[] = {
      {"Invoke",
       [&] {
         ComVariant result;
         return easter(*control, result);
       }},
      {"GetIDsOfNames",
       [&] {
         LPOLESTR name = const_cast<LPOLESTR>(L"Dplus");
         DISPID id = 0;
         return control->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
       }},
      {"GetTypeInfo",
       [&] {
         ComRef<ITypeInfo> info;
         return control->GetTypeInfo(0, 0, info.put());
       }},
      {"a read through the vtable",
       [&] {
         short value = 0;
         return dual->get_Dplus(&value);
       }},
      {"Aktualizuj through the vtable", [&] { return dual->Aktualizuj(nullptr); }},
      {"IOleObject::GetExtent",
       [&] {
         SIZEL extent{};
         return control_.query<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent);
       }},
      {"IPersistStreamInit::IsDirty",
       [&] { return control_.query<IPersistStreamInit>()->IsDirty(); }},
      {"IConnectionPointContainer::FindConnectionPoint",
       [&] {
         ComRef<IConnectionPoint> point;
         return control_.query<IConnectionPointContainer>()->FindConnectionPoint(
             IID_IPropertyNotifySink, point.put());
       }},
      {"IConnectionPoint::Unadvise", [&] { return changes->Unadvise(1); }},
      {"IOleControl::OnAmbientPropertyChange",
       [&] { return control_.query<IOleControl>()->OnAmbientPropertyChange(DISPID_UNKNOWN); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HRESULT status = S_OK;
    // The owner does not pump: a call that waited on it would not end.
    ASSERT_TRUE(ran_on_other_thread([&] { status = c.call(); }, 1000, false));
    EXPECT_EQ(status, RPC_E_WRONG_THREAD);
  }
  // The owner's own calls are unharmed.
  ComVariant result;
  EXPECT_EQ(easter(*control_, result), S_OK);
}

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
