#include "backends/qt/qt_mouse_label.h"

#include <QMouseEvent>
#include <QPainter>

namespace dnovar {

int button_bits(Qt::MouseButtons buttons) {
  int bits = 0;
  if (buttons & Qt::LeftButton) bits |= kLeftButton;
  if (buttons & Qt::RightButton) bits |= kRightButton;
  if (buttons & Qt::MiddleButton) bits |= kMiddleButton;
  return bits;
}

MouseLabel::MouseLabel(WidgetId id, EventRelay& relay, QWidget* parent)
    : QLabel(parent), id_(id), relay_(relay) {
  setMouseTracking(true);
  // Labels are opaque: each paint covers the whole label (no background filled first, which
  // would also cost every label extra data of its own).
  setAttribute(Qt::WA_OpaquePaintEvent);
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setMargin(0);
  setIndent(0);
}

void MouseLabel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const std::optional<LabelLook> look = picture_look(*this, painter.device()->devicePixelRatio());
  if (!look) {
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    painter.end();
    QLabel::paintEvent(event);
    return;
  }
  painter.drawPixmap(0, 0, label_picture(*style(), *look));
}

void MouseLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const int button = button_bits(event->button());
  if (button == 0) return;  // back/forward buttons mean nothing to the control
  relay_.deliver([&](WidgetEvents& events) { events.mouse_down(id_, button); });
}

void MouseLabel::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const int buttons = button_bits(event->buttons());
  relay_.deliver([&](WidgetEvents& events) { events.mouse_move(id_, buttons); });
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
  // The control handles no release; it shows in the next move's button state.
  event->accept();
}

void MouseLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  // Qt sends the second press of a double-click as this event. A left double-click is DblClick
  // alone (no second MouseDown); any other button's second press stays a plain press.
  if (event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  event->accept();
  relay_.deliver([&](WidgetEvents& events) { events.double_click(id_); });
}

}  // namespace dnovar
