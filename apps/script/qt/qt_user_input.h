// Real Qt input as the script host's user gives it: mouse and key events built the way the window
// system delivers them and sent to the widget under the pointer or the field being typed into.
//
// The events are sent, not posted, so each has reached its widget (and its notification the
// control) when the call returns. They are not marked as coming from the window system, so a click
// does not move the keyboard focus: in a script the focus moves only when the script says so.
#pragma once

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QWidget>

namespace dnovar::script {

// The toolkit's button bits (1 left, 2 right, 4 middle) as Qt buttons; other bits are dropped.
Qt::MouseButtons qt_buttons(int bits);

// A press and release of the left button at `point` of `widget`, delivered to the child there.
void click_at(QWidget& widget, QPoint point);

// One mouse event over the middle of `area` of `widget`: `button` is the one that changes (none
// for a move), `held` what is held once the event has happened.
void send_mouse(QWidget& widget, const QRect& area, QEvent::Type type, Qt::MouseButton button,
                Qt::MouseButtons held);

// A key press and release that types the character `code` into `widget`: 8 is Backspace, 13
// Enter, 27 Escape; other codes below 32 are Ctrl + a letter, as a keyboard types them.
void type_character(QWidget& widget, int code);

// A key press and release of `key` with `modifiers`, typing `text`.
void press_key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& text = {});

// Replaces the field's text as a paste does: all of it is selected and the new text arrives in
// one piece, without a key press per character.
void paste_text(QLineEdit& field, const QString& text);

// Opens the list and picks entry `index` with the keyboard. `index` must exist.
void choose_entry(QComboBox& combo, int index);

}  // namespace dnovar::script
