// The Windows container's window and sites when things go wrong: a window that cannot be made
// leaves nothing behind, and sites that a control holds past the window tell the window nothing.
#include <windows.h>

#include <olectl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "apps/container/win32/container_window.h"
#include "backends/win32/com/com_values.h"

namespace dnovar::container {
namespace {

// Refuses to make the thread's next top-level window, as the system does when it has no room for
// one, and keeps the menu it was to be made with.
class RefusedTopLevelWindow {
 public:
  RefusedTopLevelWindow() {
    refused_ = false;
    refused_menu_ = nullptr;
    hook_ = SetWindowsHookExW(WH_CBT, &refuse, nullptr, GetCurrentThreadId());
  }
  ~RefusedTopLevelWindow() { UnhookWindowsHookEx(hook_); }
  RefusedTopLevelWindow(const RefusedTopLevelWindow&) = delete;
  RefusedTopLevelWindow& operator=(const RefusedTopLevelWindow&) = delete;

  bool hooked() const { return hook_ != nullptr; }
  HMENU refused_menu() const { return refused_menu_; }

 private:
  static LRESULT CALLBACK refuse(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTW& window = *reinterpret_cast<CBT_CREATEWNDW*>(l)->lpcs;
      if (window.hwndParent == nullptr && !refused_) {
        refused_ = true;
        refused_menu_ = window.hMenu;
        return 1;
      }
    }
    return CallNextHookEx(nullptr, code, w, l);
  }

  static inline bool refused_ = false;
  static inline HMENU refused_menu_ = nullptr;
  HHOOK hook_;
};

TEST(ContainerWindowFailure, AWindowThatCannotBeMadeTakesItsMenuAlong) {
  RefusedTopLevelWindow refusal;
  ASSERT_TRUE(refusal.hooked());
  try {
    ContainerWindow window([](ContainerWindow&) {});
    ADD_FAILURE() << "the window was made";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), error_number::out_of_memory) << error.what();
  }
  ASSERT_NE(refusal.refused_menu(), nullptr);
  EXPECT_FALSE(IsMenu(refusal.refused_menu()));
}

class Listener final : public ole::SiteOwner {
 public:
  std::string extender_name() override {
    ++calls;
    return "Dnovar1";
  }
  void control_info_changed() override { ++calls; }
  int calls = 0;
};

// A stand-in for the control's active object: only its count matters.
class ActiveObject final : public ComObject<IOleInPlaceActiveObject> {
 public:
  HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  ULONG references() {
    AddRef();
    return Release();
  }
};

TEST(ContainerSites, SitesHeldPastTheWindowReachNeitherTheWindowNorTheListener) {
  const HWND form = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(form, nullptr);
  Listener listener;
  const ComRef<ole::InPlaceFrame> frame = make_com<ole::InPlaceFrame>(form);
  const ComRef<ole::ContainerSite> site = make_com<ole::ContainerSite>(listener, form, frame);
  const ComRef<ActiveObject> active = make_com<ActiveObject>();
  ASSERT_EQ(frame->SetActiveObject(active.get(), nullptr), S_OK);
  const ULONG held_by_frame = active->references();

  site->disconnect();
  frame->disconnect();
  DestroyWindow(form);
  EXPECT_EQ(active->references(), held_by_frame - 1) << "the frame let go of the active object";

  EXPECT_EQ(site->OnControlInfoChanged(), S_OK);
  ComRef<IDispatch> extender;
  ASSERT_EQ(site->GetExtendedControl(extender.put()), S_OK);
  DISPPARAMS none{};
  ComVariant name;
  EXPECT_EQ(
      extender->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, name.put(), nullptr, nullptr),
      E_UNEXPECTED);
  EXPECT_EQ(listener.calls, 0);
  HWND window = form;
  EXPECT_EQ(site->GetWindow(&window), E_UNEXPECTED);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(frame->GetWindow(&window), E_UNEXPECTED);
  IOleInPlaceFrame* given_frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  RECT position{}, clip{};
  EXPECT_EQ(site->GetWindowContext(&given_frame, &document, &position, &clip, nullptr),
            E_UNEXPECTED);
  EXPECT_EQ(given_frame, nullptr);
  EXPECT_EQ(frame->SetActiveObject(active.get(), nullptr), E_UNEXPECTED);
  EXPECT_EQ(active->references(), held_by_frame - 1);
}

// One Tab (Shift+Tab) through the window's message loop; the focus after it.
HWND press_tab(ContainerWindow& window, bool backwards) {
  BYTE keys[256]{};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = backwards ? 0x80 : 0;
  SetKeyboardState(keys);
  MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
  window.translate(message);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  return GetFocus();
}

// Tab walks from the field before the control through the control's stops and on to the next
// field, and Shift+Tab back; before, the control kept Tab to itself and cycled.
TEST(ContainerWindowKeys, TabWalksThroughTheControlAndOnToTheWindowsFields) {
  constexpr int kMostPresses = 40;
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  ContainerWindow window([](ContainerWindow&) {});
  window.start(std::nullopt);
  const auto inside = [&](HWND focus) { return IsChild(window.control_window(), focus) != FALSE; };
  ASSERT_NE(window.control_window(), nullptr);
  SetFocus(GetNextDlgTabItem(window.window(), nullptr, FALSE));
  HWND before = GetFocus();
  for (int i = 0; i < kMostPresses && !inside(press_tab(window, false)); ++i) before = GetFocus();
  ASSERT_TRUE(inside(GetFocus())) << "Tab never reached the control";

  std::vector<HWND> forwards{GetFocus()};
  HWND focus = press_tab(window, false);
  while (inside(focus) && forwards.size() < kMostPresses) {
    forwards.push_back(focus);
    focus = press_tab(window, false);
  }
  EXPECT_FALSE(inside(focus)) << forwards.size() << " stops in the control";
  EXPECT_GT(forwards.size(), 1u);

  std::vector<HWND> backwards;
  focus = press_tab(window, true);
  while (inside(focus) && backwards.size() < kMostPresses) {
    backwards.push_back(focus);
    focus = press_tab(window, true);
  }
  EXPECT_EQ(focus, before);
  EXPECT_EQ(backwards, std::vector<HWND>(forwards.rbegin(), forwards.rend()));
  window.close();
  OleUninitialize();
}

// The ambient UserMode a control reads from its site: true while the form runs, false while the
// container designs it.
TEST(ContainerSites, AmbientUserModeIsFalseOnlyWhileTheContainerDesigns) {
  Listener listener;
  const ComRef<ole::ContainerSite> site = make_com<ole::ContainerSite>(listener, nullptr, nullptr);
  const auto user_mode = [&] {
    DISPPARAMS none{};
    ComVariant value;
    EXPECT_EQ(site->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                           value.put(), nullptr, nullptr),
              S_OK);
    return V_VT(value.get()) == VT_BOOL && V_BOOL(value.get()) == VARIANT_TRUE;
  };
  EXPECT_TRUE(user_mode());
  {
    const ole::DesignTime designing(*site, nullptr);
    EXPECT_FALSE(user_mode());
  }
  EXPECT_TRUE(user_mode());
  DISPPARAMS none{};
  ComVariant other;
  EXPECT_EQ(site->Invoke(DISPID_AMBIENT_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                         other.put(), nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
}

}  // namespace
}  // namespace dnovar::container
