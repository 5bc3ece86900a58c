// The control's properties as a two-column table, built from the type library the object
// publishes: every property of its automation interface in the library's order, with its value
// read through Dispatch and its help string as tool tip. Properties with a write accessor are
// editable; an edit goes to the control through put_property, and a value the control refuses is
// reported and the row shows the control's value again.
#pragma once

#include <QTableWidget>

#include "component/automation.h"

namespace dnovar::container {

class PropertyBrowser final : public QTableWidget {
  Q_OBJECT

 public:
  explicit PropertyBrowser(QWidget* parent = nullptr);

  // Lists the object's properties (none for null). The object must outlive its showing here.
  void show_object(Dispatch* object);
  // Reads every value again.
  void refresh();

  // The row of a property, or -1.
  int row_of(const QString& name) const;

 signals:
  // The user changed a property (after the control took it).
  void property_edited(const QString& name);
  // A value the control refused, or one it could not be read from it.
  void error_reported(int number, const QString& message);

 private:
  void edit(QTableWidgetItem* item);
  void show_value(int row);

  struct Property {
    QString name;
    ValueType type;
    bool writable;
  };
  Dispatch* object_ = nullptr;
  std::vector<Property> properties_;
};

}  // namespace dnovar::container
