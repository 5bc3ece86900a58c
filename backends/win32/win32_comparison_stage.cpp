#include "backends/win32/win32_comparison_stage.h"

#include <windows.h>

#include <commctrl.h>

#include "backends/win32/win32_toolkit.h"

namespace dnovar {

namespace {

constexpr wchar_t kStageClass[] = L"DnovarComparisonStage";

HWND create_stage_window() {
  static const bool registered = [] {
    WNDCLASSEXW stage_class{};
    stage_class.cbSize = sizeof stage_class;
    stage_class.lpfnWndProc = DefWindowProcW;
    stage_class.hInstance = GetModuleHandleW(nullptr);
    stage_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    stage_class.lpszClassName = kStageClass;
    return RegisterClassExW(&stage_class) != 0;
  }();
  (void)registered;
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_DATE_CLASSES;
  InitCommonControlsEx(&classes);
  return CreateWindowExW(0, kStageClass, L"dnovar bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                         0, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

SYSTEMTIME day_of_2024(int month) {
  SYSTEMTIME day{};
  day.wYear = 2024;
  day.wMonth = static_cast<WORD>(month);
  day.wDay = 20;
  return day;
}

}  // namespace

struct ComparisonStage::Window {
  HWND handle = create_stage_window();
  Win32Toolkit toolkit{handle};
};

ComparisonStage::ComparisonStage() : window_(std::make_unique<Window>()) {
  ShowWindow(window_->handle, SW_SHOWNOACTIVATE);
  settle();
}

ComparisonStage::~ComparisonStage() {
  DestroyWindow(window_->handle);
}

Toolkit& ComparisonStage::toolkit() {
  return window_->toolkit;
}

void ComparisonStage::paint() const {
  UpdateWindow(window_->handle);
}

void ComparisonStage::settle() const {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  paint();
}

struct SystemMonthCalendar::Window {
  HWND handle = nullptr;
};

SystemMonthCalendar::SystemMonthCalendar(ComparisonStage& stage)
    : window_(std::make_unique<Window>()) {
  window_->handle =
      CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                      stage.window_->handle, nullptr, GetModuleHandleW(nullptr), nullptr);
  RECT size{};
  SendMessageW(window_->handle, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
  SetWindowPos(window_->handle, nullptr, 0, 0, size.right, size.bottom, SWP_NOZORDER | SWP_NOMOVE);
  show_month(5);
}

SystemMonthCalendar::~SystemMonthCalendar() {
  DestroyWindow(window_->handle);
}

void SystemMonthCalendar::show_month(int month) {
  const SYSTEMTIME day = day_of_2024(month);
  SendMessageW(window_->handle, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
}

int SystemMonthCalendar::shown_month() const {
  SYSTEMTIME range[2]{};
  SendMessageW(window_->handle, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range));
  return range[0].wMonth;
}

}  // namespace dnovar
