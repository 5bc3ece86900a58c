#include "backends/qt/qt_widget_factory.h"

#include <cmath>

#include "backends/qt/qt_font.h"
#include "backends/qt/qt_frame_box.h"
#include "backends/qt/qt_key_line_edit.h"
#include "backends/qt/qt_list_combo.h"
#include "backends/qt/qt_mouse_label.h"
#include "backends/qt/qt_push_button.h"
#include "backends/qt/qt_spin_arrows.h"

namespace dnovar {

int twips_to_pixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect pixel_rect(const TwipRect& rect) {
  return QRect(twips_to_pixels(rect.left), twips_to_pixels(rect.top), twips_to_pixels(rect.width),
               twips_to_pixels(rect.height));
}

namespace {

Qt::Alignment label_alignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Centre:
      return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

Qt::Alignment field_alignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Centre:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QWidget* create_of_kind(const WidgetRow& row, WidgetId id, QWidget& parent, EventRelay& relay) {
  switch (row.kind) {
    case WidgetKind::Frame:
      return new FrameBox(&parent);
    case WidgetKind::Label: {
      auto* label = new MouseLabel(id, relay, &parent);
      label->setAlignment(label_alignment(row.alignment));
      return label;
    }
    case WidgetKind::TextBox: {
      auto* field = new KeyLineEdit(id, relay, row.handles_enter, &parent);
      field->setAlignment(field_alignment(row.alignment));
      return field;
    }
    case WidgetKind::ComboBox:
      return new ListCombo(id, relay, row.handles_enter, &parent);
    case WidgetKind::CommandButton: {
      auto* button = new PushButton(&parent);
      // Enter presses the focused button; no button is the surface's default or cancel button.
      button->setAutoDefault(true);
      QObject::connect(button, &QPushButton::clicked, button, [id, &relay] {
        relay.deliver([&](WidgetEvents& events) { events.click(id); });
      });
      return button;
    }
    case WidgetKind::SpinButton:
      return new SpinArrows(
          row.min, row.max, row.increment, row.value,
          [id, &relay] { relay.deliver([&](WidgetEvents& events) { events.value_changed(id); }); },
          &parent);
  }
  raise_invalid_argument();
}

}  // namespace

QWidget& create_qt_widget(const WidgetRow& row, WidgetId id, QWidget& parent, EventRelay& relay) {
  QWidget& widget = *create_of_kind(row, id, parent, relay);
  widget.setGeometry(pixel_rect(row.rect));
  widget.setFont(font_for(row.font));
  if (!row.tool_tip.empty()) widget.setToolTip(QString::fromStdString(row.tool_tip));
  return widget;
}

}  // namespace dnovar
