// A host that lets go of dnovar.ocx while the control's modal loop runs: from a timer inside the
// About box it releases its only reference and frees unused libraries. The control and its module
// stay until the box has closed and the control's code has returned; then both go.
#include <gtest/gtest.h>

#include <windows.h>

#include "com/windows/com_guid.h"
#include "com/windows/com_ref.h"
#include "host/type_library.h"

namespace dnovar {
namespace {

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

constexpr wchar_t kModule[] = L"dnovar.ocx";

// What the timer saw inside the loop; the test's one reference to the control is moved here for
// the timer to release.
struct InsideTheLoop {
  ComRef<IDispatch> control;
  CanUnloadNow can_unload = nullptr;
  HRESULT can_unload_after_release = E_FAIL;
  bool module_stayed = false;
  bool fired = false;
};
InsideTheLoop inside;

BOOL CALLBACK close_visible_window(HWND window, LPARAM) {
  if (IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CALLBACK let_go(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  inside.fired = true;
  inside.control.reset();
  CoFreeUnusedLibraries();
  inside.module_stayed = GetModuleHandleW(kModule) != nullptr;
  if (inside.module_stayed) inside.can_unload_after_release = inside.can_unload();
  EnumThreadWindows(GetCurrentThreadId(), &close_visible_window, 0);
}

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

TEST(ModalLoopTest, AHostThatLetsGoInsideShowAboutDoesNotUnloadTheControlUnderIt) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  ASSERT_EQ(CoCreateInstance(windows_guid(kDnovarClassId), nullptr, CLSCTX_INPROC_SERVER,
                             IID_IDispatch, inside.control.put_void()),
            S_OK);
  const HMODULE module = GetModuleHandleW(kModule);
  ASSERT_NE(module, nullptr);
  inside.can_unload = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  LPOLESTR name = const_cast<LPOLESTR>(L"ShowAbout");
  DISPID show_about = 0;
  ASSERT_EQ(inside.control->GetIDsOfNames(IID_NULL, &name, 1, 0, &show_about), S_OK);

  IDispatch* const control = inside.control.get();  // the call's own pointer, not a reference
  ASSERT_NE(SetTimer(nullptr, 0, 50, &let_go), 0u);
  DISPPARAMS none{};
  EXPECT_EQ(
      control->Invoke(show_about, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
      S_OK);
  ASSERT_TRUE(inside.fired);
  EXPECT_TRUE(inside.module_stayed);
  EXPECT_EQ(inside.can_unload_after_release, S_FALSE);

  // Once the control's code has returned, the thread's next messages give it back.
  EXPECT_TRUE(module_freed_while_pumping());
  OleUninitialize();
}

}  // namespace
}  // namespace dnovar
