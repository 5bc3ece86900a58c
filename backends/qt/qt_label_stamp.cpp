#include "backends/qt/qt_label_stamp.h"

#include <QPainter>
#include <QPixmap>

namespace dnovar {

QLabel& LabelStamp::label() {
  if (label_ == nullptr) {
    label_ = new QLabel(&parent_);
    label_->hide();
    // As MouseLabel sets up the labels of a surface.
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setMargin(0);
    label_->setIndent(0);
  }
  return *label_;
}

void LabelStamp::paint(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                       const QPalette& palette, Qt::Alignment alignment, bool enabled) {
  QLabel& stamp = label();
  stamp.setEnabled(enabled);
  stamp.setFont(font);
  stamp.setPalette(palette);
  stamp.setAlignment(alignment);
  stamp.setText(text);
  stamp.resize(rect.size());
  // A label of the surface fills its background before QLabel paints (it is opaque).
  const qreal ratio = painter.device()->devicePixelRatio();
  QPixmap picture(rect.size() * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(stamp.palette().color(QPalette::Window));
  stamp.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
  painter.drawPixmap(rect.topLeft(), picture);
}

}  // namespace dnovar
