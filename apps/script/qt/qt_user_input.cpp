#include "apps/script/qt/qt_user_input.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/toolkit.h"

namespace dnovar::script {

namespace {

struct KeyStroke {
  int key;
  Qt::KeyboardModifiers modifiers;
  QString text;
};

// The key a keyboard presses to type `code`, with the text that key press carries.
KeyStroke key_stroke(int code) {
  const auto code_point = static_cast<char32_t>(code);
  // Not QString::fromUcs4, which takes U+FEFF for a byte-order mark and drops it.
  const QString text = QStringView(QChar::fromUcs4(code_point)).toString();
  switch (code) {
    case kKeyBackspace:
      return {Qt::Key_Backspace, Qt::NoModifier, text};
    case '\t':
      return {Qt::Key_Tab, Qt::NoModifier, text};
    case kKeyEnter:
      return {Qt::Key_Return, Qt::NoModifier, text};
    case kKeyEscape:
      return {Qt::Key_Escape, Qt::NoModifier, text};
    case 127:
      return {Qt::Key_Delete, Qt::NoModifier, text};
    default:
      break;
  }
  if (code > 0 && code < 32) return {Qt::Key_A + code - 1, Qt::ControlModifier, text};
  // Qt's key numbers for Latin-1 are the upper-case characters themselves.
  if (code >= 32 && code < 256) {
    const auto upper = static_cast<int>(QChar::toUpper(code_point));
    return {upper < 256 ? upper : Qt::Key_unknown, Qt::NoModifier, text};
  }
  return {Qt::Key_unknown, Qt::NoModifier, text};
}

void send_mouse_at(QWidget& widget, QEvent::Type type, QPoint point, Qt::MouseButton button,
                   Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(point), QPointF(widget.mapToGlobal(point)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

Qt::MouseButtons qt_buttons(int bits) {
  Qt::MouseButtons buttons;
  if (bits & kLeftButton) buttons |= Qt::LeftButton;
  if (bits & kRightButton) buttons |= Qt::RightButton;
  if (bits & kMiddleButton) buttons |= Qt::MiddleButton;
  return buttons;
}

void click_at(QWidget& widget, QPoint point) {
  QWidget* target = widget.childAt(point);
  if (target == nullptr) target = &widget;
  const QPoint local = target->mapFrom(&widget, point);
  send_mouse_at(*target, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
  send_mouse_at(*target, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
}

void send_mouse(QWidget& widget, const QRect& area, QEvent::Type type, Qt::MouseButton button,
                Qt::MouseButtons held) {
  send_mouse_at(widget, type, area.center(), button, held);
}

void press_key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&widget, &release);
}

void type_character(QWidget& widget, int code) {
  const KeyStroke stroke = key_stroke(code);
  press_key(widget, stroke.key, stroke.modifiers, stroke.text);
}

void paste_text(QLineEdit& field, const QString& text) {
  press_key(field, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    press_key(field, Qt::Key_Delete, Qt::NoModifier);
    return;
  }
  // An input method hands over finished text the way a paste does: in one piece, over the
  // selection.
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(&field, &commit);
}

void choose_entry(QComboBox& combo, int index) {
  combo.showPopup();
  QAbstractItemView& list = *combo.view();
  press_key(list, Qt::Key_Home, Qt::NoModifier);
  for (int i = 0; i < index; ++i) press_key(list, Qt::Key_Down, Qt::NoModifier);
  press_key(list, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

}  // namespace dnovar::script
