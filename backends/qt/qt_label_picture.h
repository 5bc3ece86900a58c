// A label's picture: its background and its plain text, as QLabel paints them. Painted once per
// look and kept for the program, shared by every label of every surface that looks the same (a
// day number, in a font, on a colour), so that a repaint copies pixels instead of laying out and
// shaping the text again.
#pragma once

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QStyle>
#include <optional>

namespace dnovar {

// What a label's picture depends on.
struct LabelLook {
  QString text;
  QFont font;
  QRgb back = 0;
  QRgb fore = 0;
  QSize size;
  int flags = 0;
  qreal pixel_ratio = 1;
  friend bool operator==(const LabelLook&, const LabelLook&) = default;
};

// For the pictures' table; the font and the pixel ratio only compare.
size_t qHash(const LabelLook& look, size_t seed = 0);

// The flags QLabel draws a plain text with, at `alignment`, wrapped at word breaks or not.
int label_text_flags(const QString& text, Qt::Alignment alignment, bool word_wrap);

// Whether a picture can stand for a label painted on a device of `pixel_ratio`: a whole ratio.
// (Otherwise QLabel paints it.)
inline bool pictures_fit(qreal pixel_ratio) {
  return static_cast<qreal>(static_cast<int>(pixel_ratio)) == pixel_ratio;
}

// The look of `label` painted on a device of `pixel_ratio`, when a picture can stand for it: an
// enabled plain-text label without frame, margin, indent, buddy or picture, in solid colours, at
// a whole pixel ratio. Otherwise none, and QLabel paints it (a style may etch disabled text).
std::optional<LabelLook> picture_look(const QLabel& label, qreal pixel_ratio);

// The picture of a label of `look`, painted by `style` (once per look and style: every surface
// uses the application's).
QPixmap label_picture(const QStyle& style, const LabelLook& look);

}  // namespace dnovar
