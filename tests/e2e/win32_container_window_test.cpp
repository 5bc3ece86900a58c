// The Windows container's window and sites: a window that cannot be made leaves nothing behind,
// sites that a control holds past the window tell the window nothing, and Enter in the control
// presses the window's default button only where the control does not take it.
#include <windows.h>

#include <commctrl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "apps/container/win32/container_window.h"
#include "com/com_values.h"

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
    OleContainerWindow window([](OleContainerWindow&) {});
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
  const ComRef<ole::OleClientSite> site = make_com<ole::OleClientSite>(listener, form, frame);
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
HWND press_tab(OleContainerWindow& window, bool backwards) {
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
  OleContainerWindow window([](OleContainerWindow&) {});
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
  const ComRef<ole::OleClientSite> site = make_com<ole::OleClientSite>(listener, nullptr, nullptr);
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

BOOL CALLBACK collect_child(HWND window, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(window);
  return TRUE;
}

// The first child of `parent` (at any depth) of the class whose text satisfies `wanted`.
template <typename Wanted>
HWND child_of_class(HWND parent, const wchar_t* class_name, Wanted wanted) {
  std::vector<HWND> children;
  EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&children));
  for (HWND window : children) {
    wchar_t name[64] = {};
    wchar_t text[64] = {};
    GetClassNameW(window, name, 64);
    GetWindowTextW(window, text, 64);
    if (lstrcmpiW(name, class_name) == 0 && wanted(std::wstring(text))) return window;
  }
  return nullptr;
}

// Lets the window handle what is posted to it, as the container's message loop does.
void pump(OleContainerWindow& window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (window.translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    window.dispatched(message);
  }
}

// Enter pressed on `focused`, through the container's message loop.
void press_enter(OleContainerWindow& window, HWND focused) {
  SetFocus(focused);
  pump(window);
  MSG enter{focused, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  if (!window.translate(enter)) {
    TranslateMessage(&enter);
    DispatchMessageW(&enter);
  }
  pump(window);
}

TEST(ContainerWindowKeys, EnterPressesTheDefaultButtonOnlyWhereTheControlDoesNotTakeIt) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  {
    OleContainerWindow window([](OleContainerWindow&) {});
    window.start(std::nullopt);
    pump(window);
    const HWND control = window.control_window();
    ASSERT_NE(control, nullptr);
    // The default button sets the value field's text into the chosen property: Dplus, 7.
    const HWND list =
        child_of_class(window.window(), WC_LISTVIEWW, [](const auto&) { return true; });
    ASSERT_NE(list, nullptr);
    LVFINDINFOW find{LVFI_STRING, L"Dplus", 0, {}, 0};
    const auto row = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                                   reinterpret_cast<LPARAM>(&find)));
    ASSERT_GE(row, 0);
    LVITEMW chosen{};
    chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    chosen.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&chosen));
    pump(window);
    // The field below the list, which shows the chosen property's value.
    HWND value = nullptr;
    while ((value = FindWindowExW(window.window(), value, L"EDIT", nullptr)) != nullptr) {
      wchar_t text[8] = {};
      GetWindowTextW(value, text, 8);
      if (std::wstring(text) == L"1") break;
    }
    ASSERT_NE(value, nullptr);
    // Dplus as the list shows it.
    const auto shift = [&] {
      wchar_t text[32] = {};
      LVITEMW item{};
      item.iSubItem = 1;
      item.pszText = text;
      item.cchTextMax = 32;
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
      return std::wstring(text);
    };
    ASSERT_EQ(shift(), L"1");
    SetWindowTextW(value, L"7");

    const HWND year = child_of_class(control, L"EDIT", [](const std::wstring& t) {
      return t.size() == 4 && t >= L"1000" && t <= L"3000";
    });
    ASSERT_NE(year, nullptr);
    SetWindowTextW(year, L"2025");
    press_enter(window, year);
    EXPECT_NE(child_of_class(control, L"EDIT", [](const auto& t) { return t == L"2025"; }), nullptr)
        << "the year box took the Enter";
    EXPECT_EQ(shift(), L"1") << "the default button took the Enter";

    press_enter(window, child_of_class(control, UPDOWN_CLASSW, [](const auto&) { return true; }));
    EXPECT_EQ(shift(), L"7") << "Enter on a spinner pressed no default button";
  }
  OleUninitialize();
}

}  // namespace
}  // namespace dnovar::container
