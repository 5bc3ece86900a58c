// A single-line edit field that reports each typed character first: the handler sees the
// character code and may replace it, or discard the key with 0; what passes is typed into the
// field at the cursor (at the end after a set text). Keys that type no character (arrows, Delete,
// Home, shortcuts with Ctrl) are the field's own and are not reported.
#pragma once

#include <QLineEdit>

#include "backends/qt/qt_event_relay.h"

class QKeyEvent;

namespace dnovar {

// The character code a key press types: its code point, 8 for Backspace, 13 for Enter, 27 for
// Escape; 0 for a key that types nothing.
int character_code(const QKeyEvent& event);

// Whether `field` shows `text` exactly as setText would leave it: the text, the cursor at its end,
// nothing selected, unmodified, no undo or redo history. Setting it again would change nothing.
bool shows_as_set(const QLineEdit& field, const QString& text);

class KeyLineEdit final : public QLineEdit {
 public:
  // With `handles_enter`, Enter stops here once the field has handled it: it does not reach a
  // dialog's default button.
  KeyLineEdit(WidgetId id, EventRelay& relay, bool handles_enter, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void type_character(int code);

  WidgetId id_;
  EventRelay& relay_;
  bool handles_enter_;
};

}  // namespace dnovar
