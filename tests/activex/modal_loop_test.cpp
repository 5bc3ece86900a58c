// A host that lets go of dnovar.ocx while the control's code waits on it: from a timer inside the
// About box, or from its Zavri handler (the user pressed Zavřít), it releases its only reference
// and frees unused libraries. The control and its module stay until the control's code has
// returned; then both go.
#include <gtest/gtest.h>

#include <windows.h>

#include <ocidl.h>

#include "com/com_ref.h"
#include "core/surface_layout.h"
#include "host/activex/com_guid.h"
#include "host/type_library.h"
#include "tests/activex/control_probe.h"

namespace dnovar {
namespace {

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

constexpr wchar_t kModule[] = L"dnovar.ocx";

// What the host saw when it let go; the test's one reference to the control is moved here for
// the host to release.
struct LettingGo {
  ComRef<IDispatch> control;
  CanUnloadNow can_unload = nullptr;
  HRESULT can_unload_after_release = E_FAIL;
  bool module_stayed = false;
  bool done = false;
};
LettingGo host;

void let_go() {
  host.done = true;
  host.control.reset();
  CoFreeUnusedLibraries();
  host.module_stayed = GetModuleHandleW(kModule) != nullptr;
  if (host.module_stayed) host.can_unload_after_release = host.can_unload();
}

BOOL CALLBACK close_visible_window(HWND window, LPARAM) {
  if (IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CALLBACK let_go_and_close_the_box(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  let_go();
  EnumThreadWindows(GetCurrentThreadId(), &close_visible_window, 0);
}

// The host's handler of __Dnovar: Zavri lets go of the control.
class ClosingHandler final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (id == kZavriId) let_go();
    return S_OK;
  }
};
ClosingHandler closing_handler;

// Pumps the thread's messages and frees unused libraries until the control's module has gone, for
// at most a second; whether it went.
bool module_freed_while_pumping() {
  for (int round = 0; round < 50 && GetModuleHandleW(kModule) != nullptr; ++round) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    CoFreeUnusedLibraries();
  }
  return GetModuleHandleW(kModule) == nullptr;
}

void show_about_and_let_go_inside(IDispatch& control) {
  LPOLESTR name = const_cast<LPOLESTR>(L"ShowAbout");
  DISPID show_about = 0;
  ASSERT_EQ(control.GetIDsOfNames(IID_NULL, &name, 1, 0, &show_about), S_OK);
  ASSERT_NE(SetTimer(nullptr, 0, 50, &let_go_and_close_the_box), 0u);
  DISPPARAMS none{};
  EXPECT_EQ(
      control.Invoke(show_about, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
      S_OK);
}

void press_close_and_let_go_in_the_handler(IDispatch& control) {
  ComRef<IConnectionPointContainer> points;
  ComRef<IConnectionPoint> events;
  ASSERT_EQ(control.QueryInterface(IID_IConnectionPointContainer, points.put_void()), S_OK);
  ASSERT_EQ(points->FindConnectionPoint(windows_guid(kDnovarEventsId), events.put()), S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(events->Advise(&closing_handler, &cookie), S_OK);
  events.reset();
  points.reset();
  // The button's window procedure is the control's code the host's handler returns into.
  click_button(control, widget_ids::cmdZavri);
}

TEST(ModalLoopTest, AHostThatLetsGoWhileTheControlWaitsDoesNotUnloadItUnderItsCode) {
  const struct {
    const char* name;
    void (*wait)(IDispatch& control);
  } cases[] = {
      {"inside the About box", &show_about_and_let_go_inside},
      {"in the Zavri handler", &press_close_and_let_go_in_the_handler},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    host = LettingGo{};
    ASSERT_EQ(CoCreateInstance(windows_guid(kDnovarClassId), nullptr, CLSCTX_INPROC_SERVER,
                               IID_IDispatch, host.control.put_void()),
              S_OK);
    const HMODULE module = GetModuleHandleW(kModule);
    ASSERT_NE(module, nullptr);
    host.can_unload = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));

    c.wait(*host.control.get());  // the call's own pointer, not a reference
    ASSERT_TRUE(host.done);
    EXPECT_TRUE(host.module_stayed);
    EXPECT_EQ(host.can_unload_after_release, S_FALSE);
    // Once the control's code has returned, the thread's next messages give it back.
    EXPECT_TRUE(module_freed_while_pumping());
    OleUninitialize();
  }
}

}  // namespace
}  // namespace dnovar
