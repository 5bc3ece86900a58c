// The day grid by keyboard on Windows: the control's last tab stop in its host's dialog order, the
// keys as the host's dialog manager passes them on, a focus rectangle on the cursor's cell only
// while the grid has the focus, and the focus event MSAA clients follow.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "backends/win32/win32_picture.h"
#include "backends/win32/win32_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "platform/quiet_site.h"

namespace dnovar {
namespace {

struct FocusEvent {
  HWND window;
  LONG object;
  LONG child;
};
std::vector<FocusEvent> focus_events;

void CALLBACK record_focus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
  focus_events.push_back({window, object, child});
}

class Win32GridKeyboard : public ::testing::Test {
 protected:
  // A host dialog holding a field and then the control, on 20 May 2024 (the 1st a Wednesday).
  void SetUp() override {
    host = CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"host", WS_OVERLAPPED | WS_VISIBLE, 0,
                           0, 400, 400, nullptr, nullptr, nullptr, nullptr);
    field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20, host,
                            nullptr, nullptr, nullptr);
    toolkit = std::make_unique<Win32Toolkit>(host);
    site = std::make_unique<QuietSite>(*toolkit, make_date(2024, 5, 20));
    calendar = std::make_unique<Calendar>(*site);
    events = std::make_unique<CalendarEvents>(*calendar);
    calendar->state().AktDatum = make_date(2024, 5, 20);
    calendar->Inicializuj();
    SetFocus(field);
  }
  void TearDown() override {
    events.reset();
    calendar.reset();
    DestroyWindow(host);
  }

  Win32Surface& surface() const { return static_cast<Win32Surface&>(calendar->surface()); }
  int cursor_day() const { return day_for_cell(surface().grid_cursor(), calendar->state().Dtyd1); }

  // A key pressed where the focus is, handed on by the host's dialog manager.
  void press(UINT key, bool shift = false, bool ctrl = false) {
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    held[VK_SHIFT] = shift ? 0x80 : 0;
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(held);
    MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!IsDialogMessageW(host, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    SetKeyboardState(saved);
  }

  HWND host = nullptr;
  HWND field = nullptr;
  std::unique_ptr<Win32Toolkit> toolkit;
  std::unique_ptr<QuietSite> site;
  std::unique_ptr<Calendar> calendar;
  std::unique_ptr<CalendarEvents> events;
};

TEST_F(Win32GridKeyboard, TheGridIsTheLastTabStopAndTakesTheKeysFromTheDialogManager) {
  ASSERT_NE(surface().grid_window(), nullptr);
  EXPECT_EQ(GetNextDlgTabItem(host, field, TRUE), surface().grid_window()) << "back from the field";
  EXPECT_EQ(GetNextDlgTabItem(host, surface().grid_window(), FALSE), field) << "on past the grid";
  EXPECT_EQ(surface().grid_cursor(), -1);
  press(VK_TAB, true);
  ASSERT_EQ(GetFocus(), surface().grid_window());
  EXPECT_TRUE(calendar->widget(widget_ids::Frame1).font_bold());
  EXPECT_EQ(cursor_day(), 20);
  struct Step {
    UINT key;
    bool shift, ctrl;
    int den, dlow, dhigh, cursor;
  };
  // As the mouse does: the drag's scan runs before the current day (the 1st) takes its own
  // colour again, so an erase scanned later starts after it.
  const Step steps[] = {
      {VK_DOWN, false, false, 20, 0, 0, 21},   {VK_RIGHT, false, false, 20, 0, 0, 28},
      {VK_RETURN, false, false, 28, 0, 0, 28}, {VK_HOME, false, false, 28, 0, 0, 1},
      {VK_SPACE, false, false, 1, 0, 0, 1},    {VK_RIGHT, true, false, 1, 1, 8, 8},
      {VK_DOWN, true, false, 1, 1, 9, 9},      {VK_UP, false, false, 1, 1, 9, 8},
      {VK_DOWN, true, true, 1, 2, 7, 9},       {VK_END, false, false, 1, 2, 7, 31},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "key " << s.key << " to cursor " << s.cursor);
    press(s.key, s.shift, s.ctrl);
    EXPECT_EQ(GetFocus(), surface().grid_window());
    EXPECT_EQ(calendar->state().Den, s.den);
    EXPECT_EQ(calendar->state().Dlow, s.dlow);
    EXPECT_EQ(calendar->state().Dhigh, s.dhigh);
    EXPECT_EQ(cursor_day(), s.cursor);
  }
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ(surface().grid_cursor(), -1);
  EXPECT_FALSE(calendar->widget(widget_ids::Frame1).font_bold());
}

TEST_F(Win32GridKeyboard, TheCursorIsDrawnAndReportedOnlyWhileTheGridHasTheFocus) {
  const SurfacePicture plain = picture_of(surface());
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, record_focus,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  focus_events.clear();
  SetFocus(surface().grid_window());
  press(VK_DOWN);
  MSG pending;
  while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
  UnhookWinEvent(hook);
  // The cell's child id in the surface's client object: its place among the drawn widgets.
  LONG child = 0;
  const WidgetId day21 = day_cell_id(cell_for_day(21, calendar->state().Dtyd1));
  for (int i = 0; i <= day21.value; ++i)
    if (surface().widget(WidgetId{i}).drawn()) ++child;
  ASSERT_FALSE(focus_events.empty());
  EXPECT_EQ(focus_events.back().window, surface().window());
  EXPECT_EQ(focus_events.back().object, OBJID_CLIENT);
  EXPECT_EQ(focus_events.back().child, child);

  const RECT& cell = surface().widget(day21).area();
  const auto differs_on_cell = [&](const SurfacePicture& picture) {
    for (int y = cell.top; y < cell.bottom; ++y)
      for (int x = cell.left; x < cell.right; ++x)
        if (picture.at(x, y) != plain.at(x, y)) return true;
    return false;
  };
  EXPECT_TRUE(differs_on_cell(picture_of(surface()))) << "focus rectangle";
  SetFocus(field);
  EXPECT_FALSE(differs_on_cell(picture_of(surface())));
}

}  // namespace
}  // namespace dnovar
