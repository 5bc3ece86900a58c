#include "backends/qt/qt_push_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "backends/qt/qt_colour.h"

namespace dnovar {

void PushButton::paintEvent(QPaintEvent*) {
  // As QPushButton paints.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.palette = shared_palette(option.palette);
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace dnovar
