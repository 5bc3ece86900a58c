#include "apps/script/qt/qt_script_backend.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <optional>

#include "apps/qt_common/qt_application.h"
#include "apps/script/qt/modal_player.h"
#include "apps/script/qt/qt_user_input.h"
#include "backends/qt/qt_access.h"
#include "backends/qt/qt_cell_grid.h"
#include "backends/qt/qt_text.h"
#include "backends/qt/qt_toolkit.h"

namespace dnovar::script {

namespace {

// How long the host window may take to become active (it only matters for focus).
constexpr int kActivationTimeoutMs = 5000;

// The host's window: a field of the host's own above the place where the control sits. The field
// holds the focus while it is outside the control.
class QtHostWindow {
 public:
  QtHostWindow() {
    auto* layout = new QVBoxLayout(&window_);
    field_ = new QLineEdit(&window_);
    field_->setObjectName(QStringLiteral("hostField"));
    layout->addWidget(field_);
    place_ = new QWidget(&window_);
    layout->addWidget(place_);
    window_.setWindowTitle(QStringLiteral("dnovar script"));
    window_.show();
    activate();
    field_->setFocus(Qt::OtherFocusReason);
  }

  // Makes the window the active one again, with the focus where it was in it. Without an active
  // window no focus moves; the rest of a script still runs.
  void activate() {
    window_.activateWindow();
    (void)QTest::qWaitForWindowActive(&window_, kActivationTimeoutMs);
  }

  // Puts a control's root in the window; the surface keeps owning it.
  void embed(QWidget& root) {
    root.setParent(place_);
    place_->setMinimumSize(root.size());
    root.move(0, 0);
    root.show();
  }

  QLineEdit& field() { return *field_; }
  QWidget& window() { return window_; }

 private:
  QWidget window_;
  QLineEdit* field_ = nullptr;
  QWidget* place_ = nullptr;
};

// QtToolkit, with each control surface placed in the host window as it is created.
class HostedQtToolkit final : public Toolkit {
 public:
  explicit HostedQtToolkit(QtHostWindow& window) : window_(window) {}

  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override {
    std::unique_ptr<Surface> surface = toolkit_.create_surface(table, errors);
    window_.embed(surface_root(*surface));
    return surface;
  }
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override {
    return toolkit_.create_form(table, errors);
  }
  void beep() override { toolkit_.beep(); }
  void on_beep(std::function<void()> listener) { toolkit_.on_beep(std::move(listener)); }

 private:
  QtHostWindow& window_;
  QtToolkit toolkit_;
};

bool takes_text(const Surface& surface, WidgetId id) {
  const WidgetKind kind = surface.table().widgets.at(static_cast<std::size_t>(id.value)).kind;
  return kind == WidgetKind::TextBox || kind == WidgetKind::ComboBox;
}

class QtBackend final : public ScriptBackend {
 public:
  QtBackend()
      : application_(app::start_qt_application(app::QtPlatform::OffscreenWithoutDisplay)),
        window_(std::make_unique<QtHostWindow>()),
        toolkit_(*window_),
        player_(window_->window()) {}

  Toolkit& toolkit() override { return toolkit_; }
  void on_beep(std::function<void()> listener) override { toolkit_.on_beep(std::move(listener)); }

  void click(Surface& s, WidgetId id) override {
    QWidget* button = input_widget(s, id);
    if (button != nullptr) click_at(*button, button->rect().center());
    settle();
  }

  void choose(Surface& s, WidgetId id, int index) override {
    auto* combo = qobject_cast<QComboBox*>(input_widget(s, id));
    if (combo == nullptr) return;
    if (index < 0 || index >= combo->count()) raise_invalid_argument();
    choose_entry(*combo, index);
    // The offscreen platform makes the open list the active window and does not hand the
    // activation back when it closes; a desktop's window system does.
    window_->activate();
    settle();
  }

  void spin(Surface& s, WidgetId id, bool up) override {
    QWidget* spinner = input_widget(s, id);
    if (spinner == nullptr) return;
    // The arrows stand one above the other: up in the upper half, down in the lower.
    const int y = up ? spinner->height() / 4 : spinner->height() * 3 / 4;
    click_at(*spinner, QPoint(spinner->width() / 2, y));
    settle();
  }

  void key(Surface& s, WidgetId id, int code) override {
    QWidget* field = text_field(s, id);
    if (field != nullptr) {
      // Typing appends: End first undoes a selection that focus by Tab made of the whole text.
      press_key(*field, Qt::Key_End, Qt::NoModifier);
      type_character(*field, code);
    }
    settle();
  }

  void paste(Surface& s, WidgetId id, std::string_view text) override {
    auto* field = qobject_cast<QLineEdit*>(text_field(s, id));
    if (field != nullptr) paste_text(*field, qt_text(text));
    settle();
  }

  void mouse_down(Surface& s, WidgetId id, int button) override {
    send_buttons(s, id, QEvent::MouseButtonPress, button);
  }
  void mouse_up(Surface& s, WidgetId id, int button) override {
    send_buttons(s, id, QEvent::MouseButtonRelease, button);
  }
  void mouse_move(Surface& s, WidgetId id, int buttons) override {
    if (const std::optional<ShownArea> cell = input_area(s, id))
      send_mouse(cell->widget, cell->rect, QEvent::MouseMove, Qt::NoButton, qt_buttons(buttons));
    settle();
  }

  void double_click(Surface& s, WidgetId id) override {
    // The second press of a double-click, as Qt reports it; the first click is a script's own.
    if (const std::optional<ShownArea> cell = input_area(s, id)) {
      send_mouse(cell->widget, cell->rect, QEvent::MouseButtonDblClick, Qt::LeftButton,
                 Qt::LeftButton);
      send_mouse(cell->widget, cell->rect, QEvent::MouseButtonRelease, Qt::LeftButton,
                 Qt::NoButton);
    }
    settle();
  }

  void focus_in(Surface& s) override {
    QWidget& root = surface_root(s);
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !root.isAncestorOf(focus)) {
      // The user tabs from the host's field into the control.
      window_->field().setFocus(Qt::OtherFocusReason);
      press_key(window_->field(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    }
    settle();
  }

  void focus_out(Surface&) override {
    // The user clicks the host's field.
    QTest::mouseClick(&window_->field(), Qt::LeftButton);
    settle();
  }

  void focus_grid(Surface& s) override {
    QWidget& root = surface_root(s);
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !root.isAncestorOf(focus)) {
      // The user tabs backwards from the host's field: the grid is the control's last stop.
      window_->field().setFocus(Qt::OtherFocusReason);
      press_key(window_->field(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
      // Tab from stop to stop up to the grid; a full round at most.
      for (int stop = 0; stop < kMaxTabStops && !on_grid(s); ++stop) {
        QWidget* from = QApplication::focusWidget();
        if (from == nullptr || !root.isAncestorOf(from)) break;
        press_key(*from, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
      }
    }
    settle();
  }

  void grid_key(Surface& s, GridKey key, int modifiers) override {
    // Keys go where the focus is: only the grid with the focus takes them.
    if (!on_grid(s)) return;
    Qt::KeyboardModifiers held;
    if ((modifiers & kShiftHeld) != 0) held |= Qt::ShiftModifier;
    if ((modifiers & kCtrlHeld) != 0) held |= Qt::ControlModifier;
    press_key(*QApplication::focusWidget(), qt_key_of(key), held,
              key == GridKey::Space ? QStringLiteral(" ") : QString());
    settle();
  }

  void queue_modal(ModalAction action) override { player_.queue(action); }

 private:
  static constexpr int kMaxTabStops = 64;

  // The focus is on the control's day grid.
  static bool on_grid(Surface& s) {
    QWidget* focus = QApplication::focusWidget();
    return dynamic_cast<CellGrid*>(focus) != nullptr && surface_root(s).isAncestorOf(focus);
  }

  // The Qt widget that takes the user's input, or null when the control or the widget is
  // disabled: then, as on every backend, the input reaches nothing.
  static QWidget* input_widget(Surface& s, WidgetId id) {
    QWidget& widget = surface_widget(s, id);
    return widget.isEnabled() ? &widget : nullptr;
  }

  // Where the mouse goes for a widget (a day cell is a rectangle of its grid), or none when the
  // control or the widget is disabled.
  static std::optional<ShownArea> input_area(Surface& s, WidgetId id) {
    const ShownArea area = shown_area(s, id);
    if (!area.widget.isEnabled() || !s.widget(id).enabled()) return std::nullopt;
    return area;
  }

  // What keys and pastes go to: the box itself, or a combo box's edit field.
  static QWidget* text_field(Surface& s, WidgetId id) {
    QWidget* widget = input_widget(s, id);
    if (widget == nullptr) return nullptr;
    if (!takes_text(s, id)) raise_not_supported();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return widget;
  }

  // One press or release per button the bits name, each with what is held after it.
  void send_buttons(Surface& s, WidgetId id, QEvent::Type type, int bits) {
    if (const std::optional<ShownArea> cell = input_area(s, id)) {
      Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::NoButton : qt_buttons(bits);
      for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (!(qt_buttons(bits) & button)) continue;
        held.setFlag(button, type == QEvent::MouseButtonPress);
        send_mouse(cell->widget, cell->rect, type, button, held);
      }
    }
    settle();
  }

  // Lets Qt finish what the input started (repaints, a closing list, focus moves).
  static void settle() { QCoreApplication::processEvents(); }

  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QtHostWindow> window_;
  HostedQtToolkit toolkit_;
  ModalPlayer player_;
};

}  // namespace

std::unique_ptr<ScriptBackend> make_qt_backend() {
  return std::make_unique<QtBackend>();
}

}  // namespace dnovar::script
