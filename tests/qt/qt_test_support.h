// Shared by the Qt backend tests: a spy that records what a surface reports, an error sink, and
// the calendar surface built on the Qt toolkit and shown offscreen.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "backends/qt/qt_access.h"
#include "backends/qt/qt_toolkit.h"
#include "core/surface_layout.h"
#include "platform/toolkit.h"

namespace dnovar::qt_test {

enum class Kind {
  Click,
  ValueChanged,
  KeyPress,
  MouseDown,
  MouseMove,
  DoubleClick,
  FocusEntered,
  FocusLeft
};

// One notification: what, from which widget (-1 for the surface), and its number (button bits,
// key code, or the spinner's value as the handler read it).
struct Notice {
  Kind kind;
  int id = -1;
  int arg = 0;
  friend bool operator==(const Notice&, const Notice&) = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& notice);

class EventSpy : public WidgetEvents {
 public:
  explicit EventSpy(Surface* surface = nullptr) : surface_(surface) {}
  void watch(Surface& surface) { surface_ = &surface; }

  void click(WidgetId id) override { record(Kind::Click, id.value, 0); }
  void value_changed(WidgetId id) override {
    record(Kind::ValueChanged, id.value, surface_->widget(id).value());
  }
  void key_press(WidgetId id, int& key_code) override;
  void mouse_down(WidgetId id, int button) override { record(Kind::MouseDown, id.value, button); }
  void mouse_move(WidgetId id, int buttons) override { record(Kind::MouseMove, id.value, buttons); }
  void double_click(WidgetId id) override { record(Kind::DoubleClick, id.value, 0); }
  void focus_entered() override { record(Kind::FocusEntered, -1, 0); }
  void focus_left() override { record(Kind::FocusLeft, -1, 0); }
  // The grid's notifications are tested through the calendar's handlers (qt_grid_keys_test.cpp).
  void grid_focus_entered() override {}
  void grid_focus_left() override {}
  void grid_key(GridKey, int) override {}

  std::vector<Notice> take();
  std::vector<Notice> notices;
  // Key codes the handler replaces (0 discards the key).
  std::map<int, int> key_replacements;
  // Runs after each record; a test makes the handler fail or act with it.
  std::function<void(const Notice&)> after_record;

 private:
  void record(Kind kind, int id, int arg);
  Surface* surface_;
};

class RecordedErrors : public ErrorSink {
 public:
  void report_error(const RuntimeError& error) override { numbers.push_back(error.number()); }
  std::vector<int> numbers;
};

// The control's surface on the Qt toolkit, shown in its own window.
class CalendarSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override;

  QWidget& qt(WidgetId id) { return surface_widget(*surface, id); }
  ShownArea shown(WidgetId id) { return shown_area(*surface, id); }

  QtToolkit toolkit;
  RecordedErrors errors;
  EventSpy spy;
  std::unique_ptr<Surface> surface;
  QWidget* root = nullptr;
};

}  // namespace dnovar::qt_test
