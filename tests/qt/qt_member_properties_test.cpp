// Every member the member table maps to a property of dnovar::CalendarWidget has that property,
// of the Qt type its value takes, writable, with a change signal.
#include <gtest/gtest.h>

#include <QColor>
#include <QDate>
#include <QMetaProperty>
#include <QString>

#include "dnovar/calendar_widget.h"
#include "host/control_members.h"

namespace dnovar {
namespace {

QMetaType::Type qt_type_of(ValueType type) {
  switch (type) {
    case ValueType::i2:
    case ValueType::i4:
      return QMetaType::Int;
    case ValueType::boolean:
      return QMetaType::Bool;
    case ValueType::string:
      return QMetaType::QString;
    case ValueType::colour:
      return QMetaType::QColor;
    case ValueType::date:
      return QMetaType::QDate;
    default:
      return QMetaType::UnknownType;
  }
}

TEST(MemberProperties, EveryMappedMemberIsAWidgetPropertyOfItsType) {
  const QMetaObject& meta = CalendarWidget::staticMetaObject;
  int mapped = 0;
  for (const ControlMember& member : control_members()) {
    if (member.qt_property.empty()) continue;
    SCOPED_TRACE(std::string(member.name));
    ++mapped;
    const int index = meta.indexOfProperty(std::string(member.qt_property).c_str());
    ASSERT_GE(index, 0) << member.qt_property;
    const QMetaProperty property = meta.property(index);
    EXPECT_EQ(property.metaType().id(), qt_type_of(member.type));
    EXPECT_TRUE(property.isWritable());
    // QWidget's own (enabled) has no change signal; the widget's own properties all have one.
    if (index >= meta.propertyOffset()) {
      EXPECT_TRUE(property.hasNotifySignal());
    }
  }
  EXPECT_GE(mapped, 7);
}

}  // namespace
}  // namespace dnovar
