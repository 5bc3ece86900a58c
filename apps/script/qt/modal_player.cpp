#include "apps/script/qt/modal_player.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QShowEvent>
#include <QTest>
#include <QTimer>

#include "apps/script/qt/qt_user_input.h"

namespace dnovar::script {

namespace {

// How often the player looks whether a form has become the active window, how many times before
// it acts anyway (2 s), and how long the host's window may take to become active again.
constexpr int kActivationPollMs = 10;
constexpr int kActivationPolls = 200;
constexpr int kActivationTimeoutMs = 2000;

bool is_modal_form(QObject* object) {
  if (!object->isWidgetType()) return false;
  const auto* widget = static_cast<QWidget*>(object);
  return widget->isWindow() && widget->windowModality() != Qt::NonModal;
}

QPushButton* command_button(QWidget& form) {
  return form.findChild<QPushButton*>();
}

QWidget& key_target(QWidget& form) {
  QWidget* focus = form.focusWidget();
  return focus != nullptr ? *focus : form;
}

}  // namespace

ModalPlayer::ModalPlayer(QWidget& owner) : owner_(owner) {
  qApp->installEventFilter(this);
}

ModalPlayer::~ModalPlayer() {
  qApp->removeEventFilter(this);
}

bool ModalPlayer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && is_modal_form(watched)) {
    waits_for_activation_ = 0;
    play_later(static_cast<QWidget*>(watched), 0);
  }
  if (event->type() == QEvent::Hide && is_modal_form(watched) &&
      QApplication::activeModalWidget() == nullptr && owner_.isVisible()) {
    // A window system hands the activation back to the window that had it, and the focus
    // returns where it was; by the time the showing ends, as for a person at the screen.
    owner_.activateWindow();
    (void)QTest::qWaitForWindowActive(&owner_, kActivationTimeoutMs);
  }
  return false;
}

void ModalPlayer::play_later(QPointer<QWidget> form, int delay_ms) {
  // The form is the timer's context: a form deleted meanwhile cancels the call.
  QTimer::singleShot(delay_ms, form.data(), [this, form] { play(form); });
}

void ModalPlayer::play(QPointer<QWidget> form) {
  if (!form || !form->isVisible()) return;  // closed: nothing more to do for it
  // A form shown on top of this one plays first; keys need the form to be the active window.
  if (QApplication::activeModalWidget() != form ||
      (!form->isActiveWindow() && waits_for_activation_ < kActivationPolls)) {
    ++waits_for_activation_;
    form->activateWindow();
    play_later(form, kActivationPollMs);
    return;
  }
  ModalAction action = ModalAction::CloseBox;
  if (!actions_.empty()) {
    action = actions_.front();
    actions_.pop_front();
  }
  QPushButton* button = command_button(*form);
  switch (action) {
    case ModalAction::PressFirstButton:
      if (button != nullptr) click_at(*button, button->rect().center());
      break;
    case ModalAction::AccessKey:
      if (button != nullptr) {
        const QKeySequence access = QKeySequence::mnemonic(button->text());
        if (!access.isEmpty()) {
          press_key(key_target(*form), access[0].key(), access[0].keyboardModifiers());
          play_after_release(form, button);
          return;
        }
      }
      break;
    case ModalAction::Escape:
      press_key(key_target(*form), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
      break;
    case ModalAction::CloseBox:
      form->close();
      break;
  }
  play_later(form, 0);
}

void ModalPlayer::play_after_release(QPointer<QWidget> form, QPointer<QWidget> button) {
  auto* pressed = qobject_cast<QAbstractButton*>(button.data());
  if (pressed != nullptr && pressed->isDown()) {
    QTimer::singleShot(kActivationPollMs, pressed,
                       [this, form, button] { play_after_release(form, button); });
    return;
  }
  play_later(form, 0);
}

}  // namespace dnovar::script
