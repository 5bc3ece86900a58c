// The drop-down combo box with an editable text field. Only the user choosing an entry (from the
// list, with the arrow keys, or by typing an entry and Enter) reports a click; what code does to
// the list or the text reports nothing and leaves the text as it was.
#pragma once

#include <QComboBox>
#include <string_view>

#include "backends/qt/qt_event_relay.h"

namespace dnovar {

class ListCombo final : public QComboBox {
 public:
  // `handles_enter`: see KeyLineEdit.
  ListCombo(WidgetId id, EventRelay& relay, bool handles_enter, QWidget* parent);

  // Shows `text`; the chosen entry becomes the first one equal to it, or none.
  void set_text_quietly(const QString& text);
  void add_entry(const QString& entry);
  void clear_entries();
  // The 0-based position of the chosen entry while the field still shows it, else -1.
  int chosen_index() const;

  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // QComboBox makes its list's popup at every font change, to give it the font: for a box that is
  // given its font once, long before anyone opens the list (a fifth of a control's creation).
  // Until the list has been opened, a font change is the box's alone: the popup takes the box's
  // font when it is made.
  void changeEvent(QEvent* event) override;

 private:
  bool popup_made_ = false;
};

}  // namespace dnovar
