// Plays what a script queued for the user to do inside modal forms. When a form is shown modally,
// the queued actions run one after another inside its event loop until it is gone; with nothing
// (more) queued its close box closes it, so a script never waits for a person.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <deque>

#include "platform/modal_action.h"

namespace dnovar::script {

class ModalPlayer final : public QObject {
 public:
  // Watches every window the application shows, for as long as the player lives. When the last
  // modal form is gone, `owner` (the host's window) becomes the active window again.
  explicit ModalPlayer(QWidget& owner);
  ~ModalPlayer() override;
  ModalPlayer(const ModalPlayer&) = delete;
  ModalPlayer& operator=(const ModalPlayer&) = delete;

  void queue(ModalAction action) { actions_.push_back(action); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void play_later(QPointer<QWidget> form, int delay_ms);
  void play(QPointer<QWidget> form);
  // Waits until the button an access key pressed is up again (its click comes then).
  void play_after_release(QPointer<QWidget> form, QPointer<QWidget> button);

  std::deque<ModalAction> actions_;
  int waits_for_activation_ = 0;
  QWidget& owner_;
};

}  // namespace dnovar::script
