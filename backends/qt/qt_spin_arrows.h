// The up-down spin control: two arrow buttons, up over down, stepping an integer Value between
// Min and Max by the increment. Its value is its own; no text box is bound to it.
//
// - A value set from code is stored as given, even outside Min..Max, and notifies inside the set.
// - Only a real change notifies.
// - The user's steps (arrow buttons, Up/Down keys) follow spin_step (platform/spin_step.h): they
//   stop at Min/Max without wrapping, and a value beyond the range steps back into it.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/int16.h"

class QToolButton;

namespace dnovar {

class SpinArrows final : public QWidget {
 public:
  SpinArrows(Int32 min, Int32 max, Int32 increment, Int32 value,
             std::function<void()> notify_change, QWidget* parent);

  void set_value(Int32 value);
  Int32 value() const { return value_; }
  void step(bool up);

  QToolButton& up_button() const { return *up_; }
  QToolButton& down_button() const { return *down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The arrows show the focus mark (a dotted line inside their edges) while the control has it.
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  Int32 min_, max_, increment_, value_;
  std::function<void()> notify_change_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace dnovar
