// A label that reports the mouse: button presses, moves (with and without held buttons, so mouse
// tracking is on) and left-button double-clicks, each under the label's WidgetId.
#pragma once

#include <QLabel>

#include "backends/qt/qt_event_relay.h"

namespace dnovar {

// Held or pressed Qt buttons as the toolkit's bits: 1 left, 2 right, 4 middle.
int button_bits(Qt::MouseButtons buttons);

class MouseLabel final : public QLabel {
 public:
  MouseLabel(WidgetId id, EventRelay& relay, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  WidgetId id_;
  EventRelay& relay_;
};

}  // namespace dnovar
