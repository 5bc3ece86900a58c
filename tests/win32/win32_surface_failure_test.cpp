// A surface whose construction fails part of the way leaves no window behind. Each allocation the
// construction makes fails in turn (this program's operator new can be told to fail the n-th
// one: tests/support/failing_allocation.h), from the first to the last, until a construction gets
// through.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <new>

#include "backends/win32/win32_toolkit.h"
#include "core/surface_layout.h"
#include "tests/support/failing_allocation.h"

namespace dnovar {
namespace {

class NoErrors final : public ErrorSink {
 public:
  void report_error(const RuntimeError& error) override { ADD_FAILURE() << error.what(); }
};

BOOL CALLBACK count_window(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The windows inside `parent`, at any depth.
int windows_in(HWND parent) {
  int count = 0;
  EnumChildWindows(parent, &count_window, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(Win32SurfaceFailure, EveryAllocationThatFailsLeavesNoWindowBehind) {
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  Win32Toolkit toolkit(parent);
  NoErrors errors;
  // Once made, so what the toolkit caches stays the same from one attempt to the next.
  toolkit.create_surface(calendar_widget_table(), errors);
  ASSERT_EQ(windows_in(parent), 0);

  int failures = 0;
  for (long failing = 0;; ++failing) {
    test_memory::fail_allocation_after(failing);
    try {
      toolkit.create_surface(calendar_widget_table(), errors);
    } catch (const std::bad_alloc&) {
      ++failures;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), error_number::out_of_memory) << error.what();
      ++failures;
    }
    const bool reached = test_memory::allocation_failed();
    ASSERT_EQ(windows_in(parent), 0) << "allocation " << failing << " failed";
    // A construction with fewer allocations than `failing` made them all.
    if (!reached) break;
  }
  EXPECT_GT(failures, 0);
  DestroyWindow(parent);
}

}  // namespace
}  // namespace dnovar
