#include "backends/qt/qt_frame_box.h"

#include <QPainter>
#include <QStyle>

namespace dnovar {

namespace {

constexpr int kCaptionLeft = 8;  // pixels from the frame's left edge to its caption

}  // namespace

FrameBox::FrameBox(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
}

void FrameBox::set_caption(const QString& caption) {
  caption_ = caption;
  update();
}

void FrameBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // The border line runs through the middle of the caption.
  const int top = metrics.height() / 2;
  const QRect border(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(border);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(border.translated(1, 1));
  if (caption_.isEmpty()) return;
  const QRect caption_area(kCaptionLeft, 0, metrics.horizontalAdvance(caption_), metrics.height());
  painter.fillRect(caption_area, palette().color(QPalette::Window));
  style()->drawItemText(&painter, caption_area, Qt::AlignLeft | Qt::AlignVCenter, palette(),
                        isEnabled(), caption_, QPalette::WindowText);
}

}  // namespace dnovar
