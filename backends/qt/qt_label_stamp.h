// Paints a label's look where no picture can stand for it (a disabled label, whose text a style
// may etch, or a device of a fractional pixel ratio): a QLabel that is never shown, set up as the
// surface's labels are, paints itself there. Its pixels are those QLabel paints.
#pragma once

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>

class QPainter;

namespace dnovar {

class LabelStamp {
 public:
  // The label is made in `parent` when first needed, hidden, and goes with it.
  explicit LabelStamp(QWidget& parent) : parent_(parent) {}

  // `text` in `rect` of the painter's device on the background of `palette`, as a label of that
  // font, palette (its Window and WindowText), alignment and state paints it.
  void paint(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
             const QPalette& palette, Qt::Alignment alignment, bool enabled);

 private:
  QLabel& label();

  QWidget& parent_;
  QLabel* label_ = nullptr;
};

}  // namespace dnovar
