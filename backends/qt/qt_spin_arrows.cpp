#include "backends/qt/qt_spin_arrows.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>
#include <optional>

#include "backends/qt/qt_colour.h"
#include "platform/spin_step.h"

namespace dnovar {

namespace {

// An arrow of the spin control. The arrows cover the whole control, so they draw its focus mark:
// a dotted line inside each arrow's edge while the control has the focus.
class ArrowButton final : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    // As QToolButton paints, with the palette shared by all arrows that look alike.
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.palette = shared_palette(option.palette);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    if (!parentWidget()->hasFocus()) return;
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
  }
};

QToolButton* arrow_button(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new ArrowButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);          // holding an arrow keeps stepping
  button->setFocusPolicy(Qt::NoFocus);  // the spin control as a whole takes the focus
  return button;
}

}  // namespace

SpinArrows::SpinArrows(Int32 min, Int32 max, Int32 increment, Int32 value,
                       std::function<void()> notify_change, QWidget* parent)
    : QWidget(parent),
      min_(min),
      max_(max),
      increment_(increment),
      value_(value),
      notify_change_(std::move(notify_change)),
      up_(arrow_button(Qt::UpArrow, this)),
      down_(arrow_button(Qt::DownArrow, this)) {
  setFocusPolicy(Qt::StrongFocus);
  connect(up_, &QToolButton::clicked, this, [this] { step(true); });
  connect(down_, &QToolButton::clicked, this, [this] { step(false); });
}

void SpinArrows::set_value(Int32 value) {
  if (value == value_) return;
  value_ = value;
  if (notify_change_) notify_change_();
}

void SpinArrows::step(bool up) {
  if (const std::optional<Int32> next = spin_step(value_, min_, max_, increment_, up))
    set_value(*next);
}

void SpinArrows::resizeEvent(QResizeEvent*) {
  const int upper = height() / 2;
  up_->setGeometry(0, 0, width(), upper);
  down_->setGeometry(0, upper, width(), height() - upper);
}

void SpinArrows::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  up_->update();
  down_->update();
}

void SpinArrows::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  up_->update();
  down_->update();
}

void SpinArrows::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    step(event->key() == Qt::Key_Up);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace dnovar
