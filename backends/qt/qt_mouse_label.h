// A label that reports the mouse: button presses, moves (with and without held buttons, so mouse
// tracking is on) and left-button double-clicks, each under the label's WidgetId.
#pragma once

#include <QLabel>

#include "backends/qt/qt_event_relay.h"
#include "backends/qt/qt_label_picture.h"

namespace dnovar {

// Held or pressed Qt buttons as the toolkit's bits: 1 left, 2 right, 4 middle.
int button_bits(Qt::MouseButtons buttons);

class MouseLabel final : public QLabel {
 public:
  MouseLabel(WidgetId id, EventRelay& relay, QWidget* parent);

 protected:
  // Copies the label's picture (qt_label_picture.h), painted once per look for all labels,
  // instead of laying the text out again; a label a picture cannot stand for paints as any QLabel.
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  WidgetId id_;
  EventRelay& relay_;
};

}  // namespace dnovar
