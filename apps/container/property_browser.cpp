#include "apps/container/property_browser.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "apps/container/property_text.h"

namespace dnovar::container {

namespace {

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;

bool has_write_accessor(const TypeInfo& type, DispatchId id) {
  return find_function(type, id, InvokeKind::property_put) != nullptr;
}

}  // namespace

PropertyBrowser::PropertyBrowser(QWidget* parent) : QTableWidget(0, 2, parent) {
  setHorizontalHeaderLabels({tr("Property"), tr("Value")});
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  connect(this, &QTableWidget::itemChanged, this, &PropertyBrowser::edit);
}

void PropertyBrowser::show_object(Dispatch* object) {
  const QSignalBlocker quiet(this);
  object_ = object;
  properties_.clear();
  setRowCount(0);
  if (object_ == nullptr) return;
  TypeInfoRef ref;
  if (const Status status = object_->get_type_info(&ref); dnovar::failed(status)) {
    const RuntimeError error = error_from_status(status);
    emit error_reported(error.number(), QString::fromStdString(error.what()));
    return;
  }
  const TypeInfo& type = ref.info();
  for (const Function& function : type.functions) {
    if (function.kind != InvokeKind::property_get) continue;
    const int row = rowCount();
    insertRow(row);
    properties_.push_back({QString::fromStdString(function.name), function.result,
                           has_write_accessor(type, function.id)});
    auto* name = new QTableWidgetItem(properties_.back().name);
    name->setFlags(Qt::ItemIsEnabled);
    name->setToolTip(QString::fromStdString(function.help));
    setItem(row, kNameColumn, name);
    auto* value = new QTableWidgetItem;
    value->setFlags(properties_.back().writable
                        ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                        : Qt::ItemIsEnabled);
    value->setToolTip(name->toolTip());
    setItem(row, kValueColumn, value);
  }
  refresh();
  resizeColumnToContents(kNameColumn);
}

void PropertyBrowser::refresh() {
  const QSignalBlocker quiet(this);
  for (int row = 0; row < rowCount(); ++row) show_value(row);
}

int PropertyBrowser::row_of(const QString& name) const {
  for (std::size_t row = 0; row < properties_.size(); ++row)
    if (properties_[row].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(row);
  return -1;
}

void PropertyBrowser::show_value(int row) {
  const Property& property = properties_[static_cast<std::size_t>(row)];
  QTableWidgetItem* cell = item(row, kValueColumn);
  try {
    const Variant value = get_property(*object_, property.name.toStdString());
    cell->setText(QString::fromStdString(property_text(value, property.type)));
    cell->setForeground(palette().text());
  } catch (const RuntimeError& error) {
    // Shown in place: a value that cannot be read would otherwise fill the log at every refresh.
    cell->setText(
        QStringLiteral("<error %1: %2>").arg(error.number()).arg(QString::fromUtf8(error.what())));
    cell->setForeground(Qt::darkRed);
  }
}

void PropertyBrowser::edit(QTableWidgetItem* cell) {
  if (object_ == nullptr || cell->column() != kValueColumn) return;
  const Property property = properties_[static_cast<std::size_t>(cell->row())];
  try {
    put_property(*object_, property.name.toStdString(),
                 property_value(cell->text().toStdString(), property.type));
    emit property_edited(property.name);
  } catch (const RuntimeError& error) {
    emit error_reported(error.number(), QString::fromUtf8(error.what()));
  }
  // The control decides what the property holds now (it may have ignored the value).
  refresh();
}

}  // namespace dnovar::container
