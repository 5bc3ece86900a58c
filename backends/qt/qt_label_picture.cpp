#include "backends/qt/qt_label_picture.h"

#include <QHash>
#include <QPainter>
#include <QStyle>

namespace dnovar {

std::optional<LabelLook> picture_look(const QLabel& label, qreal pixel_ratio) {
  if (label.textFormat() != Qt::PlainText || label.frameShape() != QFrame::NoFrame ||
      label.margin() != 0 || label.indent() != 0 || label.buddy() != nullptr ||
      !label.pixmap().isNull() || !pictures_fit(pixel_ratio) || !label.isEnabled())
    return std::nullopt;
  const QPalette& palette = label.palette();
  const QBrush& back = palette.brush(label.backgroundRole());
  const QBrush& fore = palette.brush(label.foregroundRole());
  if (back.style() != Qt::SolidPattern || fore.style() != Qt::SolidPattern ||
      back.color().alpha() != 255)
    return std::nullopt;
  LabelLook look;
  look.text = label.text();
  look.font = label.font();
  look.back = back.color().rgba();
  look.fore = fore.color().rgba();
  look.size = label.size();
  look.flags = label_text_flags(look.text, label.alignment(), label.wordWrap());
  look.pixel_ratio = pixel_ratio;
  return look;
}

int label_text_flags(const QString& text, Qt::Alignment alignment, bool word_wrap) {
  const Qt::LayoutDirection direction = text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
  int align = alignment | Qt::TextExpandTabs;
  if (word_wrap) align |= Qt::TextWordWrap;
  return QStyle::visualAlignment(direction, Qt::Alignment(align)) |
         (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
}

size_t qHash(const LabelLook& look, size_t seed) {
  return qHashMulti(seed, look.text, look.back, look.fore, look.size.width(), look.size.height(),
                    look.flags);
}

namespace {

// Every label picture painted so far, for all surfaces: a few day numbers in a few fonts on a
// few colours. Bounded, in case a host shows ever new texts.
QHash<LabelLook, QPixmap>& pictures() {
  static QHash<LabelLook, QPixmap> painted;
  return painted;
}
constexpr qsizetype kMaxPictures = 1024;

}  // namespace

QPixmap label_picture(const QStyle& style, const LabelLook& look) {
  QHash<LabelLook, QPixmap>& painted = pictures();
  if (const auto found = painted.constFind(look); found != painted.constEnd()) return *found;
  QPixmap picture(look.size * look.pixel_ratio);
  picture.setDevicePixelRatio(look.pixel_ratio);
  picture.fill(QColor::fromRgba(look.back));
  {
    QPainter painter(&picture);
    painter.setFont(look.font);
    QPalette palette;
    palette.setBrush(QPalette::WindowText, QColor::fromRgba(look.fore));
    style.drawItemText(&painter, QRect(QPoint(0, 0), look.size), look.flags, palette, true,
                       look.text, QPalette::WindowText);
  }
  if (painted.size() >= kMaxPictures) painted.clear();
  painted.insert(look, picture);
  return picture;
}

}  // namespace dnovar
