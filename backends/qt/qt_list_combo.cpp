#include "backends/qt/qt_list_combo.h"

#include <QEvent>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "backends/qt/qt_colour.h"
#include "backends/qt/qt_key_line_edit.h"

namespace dnovar {

ListCombo::ListCombo(WidgetId id, EventRelay& relay, bool handles_enter, QWidget* parent)
    : QComboBox(parent) {
  // The field makes the box editable; setEditable(true) would first make a field of its own
  // (and the list's popup, long before anyone opens it) only for this one to replace it.
  setLineEdit(new KeyLineEdit(id, relay, handles_enter, this));
  // A typed text is never added to the list.
  setInsertPolicy(QComboBox::NoInsert);
  // `activated` comes from the user only, never from setCurrentIndex or setEditText.
  connect(this, &QComboBox::activated, this,
          [id, &relay](int) { relay.deliver([&](WidgetEvents& events) { events.click(id); }); });
}

void ListCombo::set_text_quietly(const QString& text) {
  const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  // A refresh names the month shown already, most times.
  if (index == currentIndex() && lineEdit() != nullptr && shows_as_set(*lineEdit(), text)) return;
  const QSignalBlocker quiet(this);
  setCurrentIndex(index);
  setEditText(text);
}

void ListCombo::add_entry(const QString& entry) {
  const QSignalBlocker quiet(this);
  const QString text = currentText();
  const int chosen = currentIndex();
  addItem(entry);
  // Qt makes the first entry of an empty list the current one; the list only grows here. Only
  // then is anything to put back (the field's text is set again only when it changed).
  if (currentIndex() != chosen) setCurrentIndex(chosen);
  if (currentText() != text) setEditText(text);
}

void ListCombo::clear_entries() {
  const QSignalBlocker quiet(this);
  const QString text = currentText();
  clear();
  setEditText(text);
}

int ListCombo::chosen_index() const {
  const int index = currentIndex();
  return index >= 0 && itemText(index) == currentText() ? index : -1;
}

void ListCombo::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && !popup_made_) {
    QWidget::changeEvent(event);
    updateGeometry();
    return;
  }
  QComboBox::changeEvent(event);
}

void ListCombo::showPopup() {
  // The popup made now takes the box's font; later font changes are QComboBox's to hand on.
  popup_made_ = true;
  QComboBox::showPopup();
}

void ListCombo::paintEvent(QPaintEvent*) {
  // As QComboBox paints an editable box (its field draws the text), with the palette shared by
  // all boxes that look alike.
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.palette = shared_palette(option.palette);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace dnovar
