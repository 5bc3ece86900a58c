#include "backends/qt/qt_widget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>
#include <string>

#include "backends/qt/qt_colour.h"
#include "backends/qt/qt_frame_box.h"
#include "backends/qt/qt_key_line_edit.h"
#include "backends/qt/qt_list_combo.h"
#include "backends/qt/qt_spin_arrows.h"
#include "backends/qt/qt_text.h"

namespace dnovar {

namespace {

QString to_qstring(std::string_view text) {
  return qt_text(text);
}

struct ColourRoles {
  QPalette::ColorRole back;
  QPalette::ColorRole fore;
};

ColourRoles colour_roles(WidgetKind kind) {
  switch (kind) {
    case WidgetKind::TextBox:
    case WidgetKind::ComboBox:
      return {QPalette::Base, QPalette::Text};
    case WidgetKind::CommandButton:
      return {QPalette::Button, QPalette::ButtonText};
    default:
      return {QPalette::Window, QPalette::WindowText};
  }
}

// A description as a QString shared with every widget that has the same one: 37 day cells of
// every instance say the same, at some 300 bytes each. Bounded, in case a host makes up ever
// new descriptions.
QString shared_text(std::string_view text) {
  static std::map<std::string, QString, std::less<>> shared;
  if (const auto found = shared.find(text); found != shared.end()) return found->second;
  if (shared.size() >= 64) shared.clear();
  return shared.emplace(std::string(text), to_qstring(text)).first->second;
}

}  // namespace

QtWidget::QtWidget(const WidgetRow& row, QWidget& widget)
    : kind_(row.kind),
      widget_(widget),
      back_colour_(row.back_colour),
      fore_colour_(row.fore_colour),
      bold_(row.font.bold),
      enabled_(row.enabled) {
  // Qt's accessibility reads the texts from the Qt widget, so they are set there at once.
  hand_accessible_text_on();
  if (has_caption()) set_caption(row.caption);
  if (has_text()) set_text(row.caption);
  if (has_look()) paint();
  widget_.setEnabled(enabled_);
}

bool QtWidget::has_caption() const {
  return kind_ == WidgetKind::Label || kind_ == WidgetKind::Frame ||
         kind_ == WidgetKind::CommandButton;
}
bool QtWidget::has_text() const {
  return kind_ == WidgetKind::TextBox || kind_ == WidgetKind::ComboBox;
}
void QtWidget::require(bool supported) const {
  if (!supported) raise_not_supported();
}

void QtWidget::paint() const {
  const ColourRoles roles = colour_roles(kind_);
  paint_colours(widget_, back_colour_, roles.back, fore_colour_, roles.fore);
}

ListCombo& QtWidget::combo() const {
  require(kind_ == WidgetKind::ComboBox);
  return static_cast<ListCombo&>(widget_);
}

SpinArrows& QtWidget::spinner() const {
  require(kind_ == WidgetKind::SpinButton);
  return static_cast<SpinArrows&>(widget_);
}

void QtWidget::set_caption(std::string_view caption) {
  require(has_caption());
  // A refresh writes every caption; only a new one reaches Qt, which lays it out again.
  if (caption == caption_) return;
  caption_.assign(caption);
  const QString text = to_qstring(caption);
  switch (kind_) {
    case WidgetKind::Frame:
      static_cast<FrameBox&>(widget_).set_caption(text);
      break;
    case WidgetKind::CommandButton:
      static_cast<QPushButton&>(widget_).setText(text);  // '&' marks the access key, as in Qt
      break;
    default:
      static_cast<QLabel&>(widget_).setText(text);
      break;
  }
}

std::string QtWidget::caption() const {
  require(has_caption());
  return caption_;
}

void QtWidget::set_text(std::string_view text) {
  require(has_text());
  const QString shown = to_qstring(text);
  if (kind_ == WidgetKind::ComboBox) {
    combo().set_text_quietly(shown);
    return;
  }
  auto& field = static_cast<QLineEdit&>(widget_);
  if (!shows_as_set(field, shown)) field.setText(shown);
}

std::string QtWidget::text() const {
  require(has_text());
  if (kind_ == WidgetKind::ComboBox) return combo().currentText().toStdString();
  return static_cast<QLineEdit&>(widget_).text().toStdString();
}

void QtWidget::set_back_colour(Colour colour) {
  require(has_look());
  if (colour == back_colour_) return;  // the palette would come out the same
  back_colour_ = colour;
  paint();
}

Colour QtWidget::back_colour() const {
  require(has_look());
  return back_colour_;
}

void QtWidget::set_fore_colour(Colour colour) {
  require(has_look());
  if (colour == fore_colour_) return;
  fore_colour_ = colour;
  paint();
}

Colour QtWidget::fore_colour() const {
  require(has_look());
  return fore_colour_;
}

void QtWidget::set_font_bold(bool bold) {
  require(has_look());
  if (bold == widget_.font().bold()) {
    bold_ = bold;
    return;
  }
  bold_ = bold;
  QFont font = widget_.font();
  font.setBold(bold);
  widget_.setFont(font);
}

bool QtWidget::font_bold() const {
  require(has_look());
  return bold_;
}

void QtWidget::set_enabled(bool enabled) {
  enabled_ = enabled;
  // Qt's own flag, not isEnabled(): a disabled surface disables its widgets without touching it.
  if (widget_.testAttribute(Qt::WA_ForceDisabled) != enabled) return;
  widget_.setEnabled(enabled);
}

// The widget's own flag: a disabled surface disables every Qt widget in it without touching this.
bool QtWidget::enabled() const {
  return enabled_;
}

void QtWidget::set_value(Int32 value) {
  spinner().set_value(value);
}
Int32 QtWidget::value() const {
  return spinner().value();
}

void QtWidget::clear_items() {
  combo().clear_entries();
}
void QtWidget::add_item(std::string_view item) {
  combo().add_entry(to_qstring(item));
}
int QtWidget::list_index() const {
  return combo().chosen_index();
}

std::vector<std::string> QtWidget::items() const {
  ListCombo& list = combo();
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(list.count()));
  for (int i = 0; i < list.count(); ++i) entries.push_back(list.itemText(i).toStdString());
  return entries;
}

void QtWidget::set_accessible_text(std::string_view name, std::string_view description) {
  // Only a real change reaches Qt, which tells assistive technology about each. The name is
  // compared with Qt's: the base may keep none (a recipe's is composed again when read).
  if (QString qt_name = to_qstring(name); qt_name != widget_.accessibleName())
    widget_.setAccessibleName(qt_name);
  if (description != accessible_description())
    widget_.setAccessibleDescription(shared_text(description));
  Widget::set_accessible_text(name, description);
}

}  // namespace dnovar
