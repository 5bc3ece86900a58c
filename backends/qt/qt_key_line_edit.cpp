#include "backends/qt/qt_key_line_edit.h"

#include <QKeyEvent>
#include <limits>

namespace dnovar {

int character_code(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
      return kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Escape:
      return kKeyEscape;
    default:
      break;
  }
  const QList<uint> code_points = event.text().toUcs4();
  if (code_points.size() != 1) return 0;
  const uint code_point = code_points.front();
  // Control characters (Ctrl + letter) belong to the field's shortcuts, not to typing.
  if (code_point < 32 || code_point == 127) return 0;
  return static_cast<int>(code_point);
}

bool shows_as_set(const QLineEdit& field, const QString& text) {
  return field.text() == text && field.cursorPosition() == text.size() &&
         !field.hasSelectedText() && !field.isModified() && !field.isUndoAvailable() &&
         !field.isRedoAvailable();
}

KeyLineEdit::KeyLineEdit(WidgetId id, EventRelay& relay, bool handles_enter, QWidget* parent)
    : QLineEdit(parent), id_(id), relay_(relay), handles_enter_(handles_enter) {
  setMaxLength(std::numeric_limits<int>::max());  // no length limit
}

void KeyLineEdit::keyPressEvent(QKeyEvent* event) {
  const int typed = character_code(*event);
  if (typed == 0) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  int code = typed;
  relay_.deliver([&](WidgetEvents& events) { events.key_press(id_, code); });
  if (code == typed && code == kKeyEnter) {
    // Unchanged Enter: the field handles it (and it still reaches a combo box's list).
    QLineEdit::keyPressEvent(event);
    if (handles_enter_) event->accept();
    return;
  }
  // What passes is typed here rather than by QLineEdit, which drops characters it deems
  // unprintable (U+200B, U+0085): every character the handler lets through is typed.
  event->accept();
  if (code != 0) type_character(code);
}

void KeyLineEdit::type_character(int code) {
  if (code == kKeyBackspace) {
    backspace();
  } else if (code >= 32 && code != 127 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
    // Not QString::fromUcs4, which takes U+FEFF for a byte-order mark and drops it.
    insert(QStringView(QChar::fromUcs4(static_cast<char32_t>(code))).toString());
  }
  // Other control codes type nothing into a single-line field.
}

}  // namespace dnovar
