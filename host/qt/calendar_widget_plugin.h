// The Qt Designer plugin: dnovar::CalendarWidget in Designer's widget box (group "Dnovar"), its
// properties in the property editor and its signals in the signal/slot editor.
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace dnovar {

class CalendarWidgetPlugin final : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit CalendarWidgetPlugin(QObject* parent = nullptr) : QObject(parent) {}

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override { return initialized_; }
  void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }
  QString domXml() const override;

 private:
  bool initialized_ = false;
};

}  // namespace dnovar
