// Loads a Designer plugin file the way Qt Designer does (QPluginLoader), creates the widget it
// offers and prints what Designer gets from it, one line each:
//   plugin NAME group GROUP include HEADER xml CLASS-IN-DOMXML
//   widget WIDTHxHEIGHT date YYYY-MM-DD
//   properties NAME...            (declared by the widget's class: the property editor's rows)
//   signals SIGNATURE...          (declared by the widget's class: what connections can start at)
//   library PATH                  (the dnovar-widgets the process loaded with the plugin)
// Exits with status 1 and a message when the plugin cannot be loaded or offers no widget.
#include <QApplication>
#include <QFile>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QVariant>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <iostream>
#include <memory>

namespace {

// The class attribute of the first <widget> of a plugin's domXml.
QString xml_class(const QString& xml) {
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == QStringLiteral("widget"))
      return reader.attributes().value(QStringLiteral("class")).toString();
  }
  return reader.hasError() ? QStringLiteral("(malformed)") : QStringLiteral("(none)");
}

// The file a loaded library named `name` was mapped from.
QString loaded_library(const QByteArray& name) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return QStringLiteral("(unknown)");
  for (const QByteArray& line : maps.readAll().split('\n')) {
    const qsizetype path = line.indexOf('/');
    if (path >= 0 && line.contains(name)) return QString::fromLocal8Bit(line.mid(path));
  }
  return QStringLiteral("(none)");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: designer_plugin_check PLUGIN\n";
    return 2;
  }
  QPluginLoader loader(QString::fromLocal8Bit(argv[1]));
  auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
  if (plugin == nullptr) {
    std::cerr << "no Designer widget plugin: " << loader.errorString().toStdString() << '\n';
    return 1;
  }
  plugin->initialize(nullptr);
  const std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
  if (!widget) {
    std::cerr << "the plugin created no widget\n";
    return 1;
  }
  std::cout << "plugin " << plugin->name().toStdString() << " group "
            << plugin->group().toStdString() << " include " << plugin->includeFile().toStdString()
            << " xml " << xml_class(plugin->domXml()).toStdString() << '\n';
  std::cout << "widget " << widget->width() << 'x' << widget->height() << " date "
            << widget->property("date").toDate().toString(Qt::ISODate).toStdString() << '\n';

  const QMetaObject& meta = *widget->metaObject();
  std::cout << "properties";
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
    std::cout << ' ' << meta.property(i).name();
  std::cout << "\nsignals";
  for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
    const QMetaMethod method = meta.method(i);
    if (method.methodType() == QMetaMethod::Signal)
      std::cout << ' ' << method.methodSignature().toStdString();
  }
  std::cout << "\nlibrary " << loaded_library("libdnovar-widgets").toStdString() << std::endl;
  return 0;
}
