#include "tests/qt/qt_test_support.h"

#include <QApplication>
#include <QStyleFactory>

namespace dnovar::qt_test {

namespace {

// One QApplication for the whole test program, on the offscreen platform unless told otherwise.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "dnovar_qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

const char* kind_name(Kind kind) {
  switch (kind) {
    case Kind::Click:
      return "click";
    case Kind::ValueChanged:
      return "value_changed";
    case Kind::KeyPress:
      return "key_press";
    case Kind::MouseDown:
      return "mouse_down";
    case Kind::MouseMove:
      return "mouse_move";
    case Kind::DoubleClick:
      return "double_click";
    case Kind::FocusEntered:
      return "focus_entered";
    case Kind::FocusLeft:
      return "focus_left";
  }
  return "?";
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Notice& notice) {
  return out << kind_name(notice.kind) << "(" << notice.id << ", " << notice.arg << ")";
}

void EventSpy::record(Kind kind, int id, int arg) {
  notices.push_back({kind, id, arg});
  if (after_record) after_record(notices.back());
}

void EventSpy::key_press(WidgetId id, int& key_code) {
  record(Kind::KeyPress, id.value, key_code);
  if (auto replacement = key_replacements.find(key_code); replacement != key_replacements.end())
    key_code = replacement->second;
}

std::vector<Notice> EventSpy::take() {
  std::vector<Notice> taken;
  taken.swap(notices);
  return taken;
}

void CalendarSurfaceTest::SetUp() {
  surface = toolkit.create_surface(calendar_widget_table(), errors);
  spy.watch(*surface);
  surface->set_events(&spy);
  root = &surface_root(*surface);
  root->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(root));
  spy.take();  // the window's first focus is not what a test is about
}

}  // namespace dnovar::qt_test
