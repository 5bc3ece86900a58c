#include "backends/qt/qt_form_fit.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <climits>

namespace dnovar {

namespace {

// How much wider than its table width a wrapping label may grow before it gives up (and lets the
// height cut its text): a bound on the search, far beyond any substitute face.
constexpr int kMaxWidening = 3;

void fit_label(QLabel& label) {
  int width = std::max(label.width(), label.sizeHint().width());
  if (label.wordWrap()) {
    const int limit = kMaxWidening * label.width();
    while (width < limit && label.heightForWidth(width) > label.height()) ++width;
  }
  label.resize(width, label.height());
}

}  // namespace

void fit_form_to_text(QWidget& root) {
  const QList<QWidget*> widgets = root.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  if (widgets.isEmpty()) return;
  for (QWidget* widget : widgets)
    if (auto* label = qobject_cast<QLabel*>(widget)) fit_label(*label);
  int margin = INT_MAX;
  int right = 0;
  int bottom = 0;
  for (const QWidget* widget : widgets) {
    margin = std::min(margin, std::max(0, widget->x()));
    right = std::max(right, widget->geometry().right() + 1);
    bottom = std::max(bottom, widget->geometry().bottom() + 1);
  }
  QSize size = root.size();
  if (right > size.width()) size.setWidth(right + margin);
  if (bottom > size.height()) size.setHeight(bottom + margin);
  if (size != root.size()) root.setFixedSize(size);
}

}  // namespace dnovar
