// dnovar.ocx in a host nobody here wrote: Wine's ATL (every version it has), which creates a
// control from its ProgID in an AtlAxWin window, initialises it without a saved state and runs
// it, in a window with a field before and after it whose loop offers keys to the control's active
// object and then to the dialog manager. The control is registered in the prefix (tests/vbs
// registers it).
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/surface_layout.h"
#include "tests/activex/control_probe.h"

namespace dnovar {
namespace {

struct AtlVersion {
  const wchar_t* library;
  const wchar_t* window_class;
};

// Named by its library in the tests' output.
void PrintTo(const AtlVersion& version, std::ostream* out) {
  const std::wstring name = version.library;
  *out << std::string(name.begin(), name.end());
}

using AxWinInit = BOOL(WINAPI*)();
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

class AtlHostTest : public ::testing::TestWithParam<AtlVersion> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    atl_ = LoadLibraryW(GetParam().library);
    if (atl_ == nullptr) GTEST_SKIP() << "This Wine has no " << library_name();
    auto init =
        reinterpret_cast<AxWinInit>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxWinInit")));
    auto get_control = reinterpret_cast<AxGetControl>(
        reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxGetControl")));
    ASSERT_NE(init, nullptr);
    ASSERT_NE(get_control, nullptr);
    ASSERT_TRUE(init());
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 320,
                              nullptr, nullptr, nullptr, nullptr);
    before_ = field(0);
    // A dialog's host window is a control parent: the dialog manager walks into the control.
    host_ =
        CreateWindowExW(WS_EX_CONTROLPARENT, GetParam().window_class, L"DnovarLib.Dnovar",
                        WS_CHILD | WS_VISIBLE, 0, 30, 300, 251, parent_, nullptr, nullptr, nullptr);
    after_ = field(290);
    ASSERT_NE(host_, nullptr) << library_name();
    ComRef<IUnknown> control;
    ASSERT_EQ(get_control(host_, control.put()), S_OK);
    control_ = control.query<IDispatch>();
    ASSERT_TRUE(control_);
  }
  void TearDown() override {
    control_.reset();
    if (parent_ != nullptr) DestroyWindow(parent_);
    if (atl_ != nullptr) FreeLibrary(atl_);
    OleUninitialize();
  }
  std::string library_name() const {
    const std::wstring name = GetParam().library;
    return std::string(name.begin(), name.end());
  }

  HWND field(int top) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                           top, 200, 24, parent_, nullptr, nullptr, nullptr);
  }
  // One Tab (Shift+Tab) through the host's loop: the control's active object first while the
  // focus is inside it, then the dialog manager. Returns the window that has the focus after it.
  HWND press_tab(bool backwards) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = backwards ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    const ComRef<IOleInPlaceActiveObject> active = control_.query<IOleInPlaceActiveObject>();
    const bool taken =
        IsChild(host_, message.hwnd) && active && active->TranslateAccelerator(&message) == S_OK;
    if (!taken) IsDialogMessageW(parent_, &message);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return GetFocus();
  }

  HMODULE atl_ = nullptr;
  HWND parent_ = nullptr;
  HWND before_ = nullptr;
  HWND host_ = nullptr;
  HWND after_ = nullptr;
  ComRef<IDispatch> control_;
};

TEST_P(AtlHostTest, TheControlStartsOnTodayAndTakesADoubleClick) {
  EXPECT_EQ(date_of(*control_), today());
  std::vector<int> undrawn;  // cells still showing their design-time caption
  for (int cell = 0; cell < kDayCellCount; ++cell)
    if (widget_caption(*control_, day_cell_id(cell)) == "D") undrawn.push_back(cell);
  EXPECT_TRUE(undrawn.empty());
  EXPECT_EQ(widget_caption(*control_, widget_ids::Frame1), "Dnovar1");

  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string day = another_day_of_month();
  const int cell = day_cell_captioned(*control_, day);
  ASSERT_GE(cell, 0);
  double_click(*control_, day_cell_id(cell));
  EXPECT_EQ(date_of(*control_), today() - now.wDay + std::stoi(day));
}

// Tab walks from the host's field through the control's stops and out to the host's next field;
// Shift+Tab walks back the same way. Before, the control kept Tab to itself and cycled.
TEST_P(AtlHostTest, TabWalksThroughTheControlAndOnToTheHostsFields) {
  constexpr int kMostPresses = 30;
  SetFocus(before_);
  std::vector<HWND> forwards;
  HWND focus = press_tab(false);
  while (IsChild(host_, focus) && forwards.size() < kMostPresses) {
    forwards.push_back(focus);
    focus = press_tab(false);
  }
  EXPECT_EQ(focus, after_) << forwards.size() << " stops in the control";
  EXPECT_GT(forwards.size(), 1u);

  std::vector<HWND> backwards;
  focus = press_tab(true);
  while (IsChild(host_, focus) && backwards.size() < kMostPresses) {
    backwards.push_back(focus);
    focus = press_tab(true);
  }
  EXPECT_EQ(focus, before_);
  EXPECT_EQ(backwards, std::vector<HWND>(forwards.rbegin(), forwards.rend()));
}

INSTANTIATE_TEST_SUITE_P(EveryAtl, AtlHostTest,
                         ::testing::Values(AtlVersion{L"atl.dll", L"AtlAxWin"},
                                           AtlVersion{L"atl80.dll", L"AtlAxWin80"},
                                           AtlVersion{L"atl90.dll", L"AtlAxWin90"},
                                           AtlVersion{L"atl100.dll", L"AtlAxWin100"},
                                           AtlVersion{L"atl110.dll", L"AtlAxWin110"}),
                         [](const auto& version) {
                           const std::wstring name = version.param.window_class;
                           return std::string(name.begin(), name.end());
                         });

}  // namespace
}  // namespace dnovar
