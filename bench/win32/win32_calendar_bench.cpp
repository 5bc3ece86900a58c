// The control on the Win32 backend beside the system's own month calendar, SysMonthCal32. Each
// sits in the same visible top-level window of the benchmark's and is painted the way Windows
// paints any window: what is invalid gets WM_PAINT through UpdateWindow, synchronously, children
// included.
// - creation to first paint: a new instance on 20 May 2024 made in the window and painted once
//   (the window itself is made once; destroying the instance is not timed);
// - a month switch: the next month shown (the control's Mesic and Aktualizuj, the system
//   control's MCM_SETCURSEL), then the window updated, so what the switch invalidated is painted.
// Medians of several repetitions, in real time: painting happens partly outside the process.
#include <windows.h>

#include <commctrl.h>

#include <benchmark/benchmark.h>

#include <memory>

#include "backends/win32/win32_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "platform/quiet_site.h"

namespace {

using namespace dnovar;

constexpr int kRepetitions = 10;
constexpr wchar_t kHostClass[] = L"DnovarBenchHost";

// A visible top-level window that a calendar is placed in, as large as either calendar needs.
class HostWindow {
 public:
  HostWindow() {
    static const bool registered = [] {
      WNDCLASSEXW host_class{};
      host_class.cbSize = sizeof host_class;
      host_class.lpfnWndProc = DefWindowProcW;
      host_class.hInstance = GetModuleHandleW(nullptr);
      host_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      host_class.lpszClassName = kHostClass;
      return RegisterClassExW(&host_class) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExW(0, kHostClass, L"dnovar bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              0, 0, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    settle();
  }
  ~HostWindow() { DestroyWindow(window_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND window() const { return window_; }
  // What is invalid painted now, children included.
  void paint() const { UpdateWindow(window_); }
  // Pending messages handled and the window painted: nothing left over for the next iteration.
  void settle() const {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    paint();
  }

 private:
  HWND window_ = nullptr;
};

// One window for the whole run: a top-level window that goes away waits for the X server to
// withdraw it, much longer than anything measured here.
HostWindow& shared_host() {
  static HostWindow host;
  return host;
}

// The common controls' classes, registered once for both sides.
struct Toolkit {
  explicit Toolkit(HWND host) : win32(host) {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_DATE_CLASSES;
    InitCommonControlsEx(&classes);
  }
  Win32Toolkit win32;
  QuietSite site{win32, make_date(2024, 5, 20)};
};

// One instance of the control with its handlers, started on 20 May 2024, in the host's window.
struct Control {
  explicit Control(Toolkit& toolkit) : calendar(toolkit.site), events(calendar) {
    calendar.state().AktDatum = make_date(2024, 5, 20);
    calendar.Inicializuj();
  }
  Calendar calendar;
  CalendarEvents events;
};

SYSTEMTIME day_of_2024(int month) {
  SYSTEMTIME day{};
  day.wYear = 2024;
  day.wMonth = static_cast<WORD>(month);
  day.wDay = 20;
  return day;
}

// One SysMonthCal32 on 20 May 2024, in the host's window, as large as one month needs.
class SystemCalendar {
 public:
  explicit SystemCalendar(HWND host) {
    window_ = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0,
                              0, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT size{};
    SendMessageW(window_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
    SetWindowPos(window_, nullptr, 0, 0, size.right, size.bottom, SWP_NOZORDER | SWP_NOMOVE);
    show_month(5);
  }
  ~SystemCalendar() { DestroyWindow(window_); }
  SystemCalendar(const SystemCalendar&) = delete;
  SystemCalendar& operator=(const SystemCalendar&) = delete;

  void show_month(int month) {
    const SYSTEMTIME day = day_of_2024(month);
    SendMessageW(window_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
  }
  // The first month the control shows in full.
  int shown_month() const {
    SYSTEMTIME range[2]{};
    SendMessageW(window_, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range));
    return range[0].wMonth;
  }

 private:
  HWND window_ = nullptr;
};

void BM_FirstPaint_Dnovar(benchmark::State& state) {
  HostWindow& host = shared_host();
  Toolkit toolkit(host.window());
  for (auto _ : state) {
    auto control = std::make_unique<Control>(toolkit);
    host.paint();
    state.PauseTiming();
    control.reset();
    host.settle();
    state.ResumeTiming();
  }
}

void BM_FirstPaint_SysMonthCal32(benchmark::State& state) {
  HostWindow& host = shared_host();
  Toolkit toolkit(host.window());
  for (auto _ : state) {
    auto calendar = std::make_unique<SystemCalendar>(host.window());
    host.paint();
    state.PauseTiming();
    calendar.reset();
    host.settle();
    state.ResumeTiming();
  }
}

void BM_MonthSwitch_Dnovar(benchmark::State& state) {
  HostWindow& host = shared_host();
  Toolkit toolkit(host.window());
  Control control(toolkit);
  host.settle();
  Int16 month = 5;
  for (auto _ : state) {
    month = static_cast<Int16>(month % 12 + 1);
    control.calendar.state().Mesic = month;
    control.calendar.Aktualizuj(0);
    host.paint();
  }
}

void BM_MonthSwitch_SysMonthCal32(benchmark::State& state) {
  HostWindow& host = shared_host();
  Toolkit toolkit(host.window());
  SystemCalendar calendar(host.window());
  host.settle();
  calendar.show_month(6);
  if (calendar.shown_month() != 6) {
    state.SkipWithError("MCM_SETCURSEL did not switch the system calendar's month");
    return;
  }
  int month = 6;
  for (auto _ : state) {
    month = month % 12 + 1;
    calendar.show_month(month);
    host.paint();
  }
}

void measured(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMicrosecond)
      ->UseRealTime()
      ->Repetitions(kRepetitions)
      ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_FirstPaint_Dnovar)->Apply(measured);
BENCHMARK(BM_FirstPaint_SysMonthCal32)->Apply(measured);
BENCHMARK(BM_MonthSwitch_Dnovar)->Apply(measured);
BENCHMARK(BM_MonthSwitch_SysMonthCal32)->Apply(measured);

}  // namespace
