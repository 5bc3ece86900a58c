#include "host/qt/calendar_widget_plugin.h"

#include <QIcon>

#include "dnovar/calendar_widget.h"

namespace dnovar {

QString CalendarWidgetPlugin::name() const {
  return QStringLiteral("dnovar::CalendarWidget");
}

QString CalendarWidgetPlugin::group() const {
  return QStringLiteral("Dnovar");
}

QString CalendarWidgetPlugin::toolTip() const {
  return QStringLiteral("Czech month calendar");
}

QString CalendarWidgetPlugin::whatsThis() const {
  return QStringLiteral(
      "A Czech month calendar: public holidays in bold, today on cyan, a range of days the user "
      "paints with the mouse.");
}

QString CalendarWidgetPlugin::includeFile() const {
  return QStringLiteral("dnovar/calendar_widget.h");
}

QIcon CalendarWidgetPlugin::icon() const {
  return QIcon();  // Designer's own icon for custom widgets
}

QWidget* CalendarWidgetPlugin::createWidget(QWidget* parent) {
  return new CalendarWidget(parent);
}

QString CalendarWidgetPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\" displayname=\"Calendar (Dnovar)\">\n"
      " <widget class=\"dnovar::CalendarWidget\" name=\"calendarWidget\"/>\n"
      "</ui>\n");
}

}  // namespace dnovar
