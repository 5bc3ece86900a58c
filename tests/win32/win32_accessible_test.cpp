// The control as MSAA clients (screen readers) see it: the surface window's client object, whose
// first children are the labels and frames the surface draws, named and described as the control
// describes them, and whose later children are the child windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>

#include "backends/win32/win32_toolkit.h"
#include "com/com_ref.h"
#include "com/com_values.h"
#include "core/calendar.h"
#include "platform/quiet_site.h"

namespace dnovar {
namespace {

VARIANT child_id(long id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::string name_of(IAccessible& client, long id) {
  Bstr name;
  if (client.get_accName(child_id(id), name.put()) != S_OK) return "(no name)";
  return name.utf8();
}

long role_of(IAccessible& client, long id) {
  VARIANT role{};
  if (client.get_accRole(child_id(id), &role) != S_OK || role.vt != VT_I4) return -1;
  return role.lVal;
}

long state_of(IAccessible& client, long id) {
  VARIANT state{};
  if (client.get_accState(child_id(id), &state) != S_OK || state.vt != VT_I4) return -1;
  return state.lVal;
}

class Win32Accessible : public ::testing::Test {
 protected:
  // 20 May 2024, today the same day.
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    calendar = std::make_unique<Calendar>(site);
    calendar->state().AktDatum = make_date(2024, 5, 20);
    calendar->Inicializuj();
  }
  void TearDown() override {
    calendar.reset();
    CoUninitialize();
  }

  Win32Surface& surface() const { return static_cast<Win32Surface&>(calendar->surface()); }

  // The client object, as a screen reader gets it.
  ComRef<IAccessible> client() const {
    ComRef<IAccessible> held;
    EXPECT_EQ(AccessibleObjectFromWindow(surface().window(), OBJID_CLIENT, __uuidof(IAccessible),
                                         held.put_void()),
              S_OK);
    return held;
  }

  // The child id of widget `id`, one of those the surface draws: its place among them, from 1.
  long drawn_child(WidgetId id) const {
    long child = 0;
    for (int i = 0; i <= id.value; ++i)
      if (surface().widget(WidgetId{i}).drawn()) ++child;
    return child;
  }

  int cell_of_day(int day) const {
    for (int index = 0; index < kDayCellCount; ++index)
      if (day_for_cell(index, calendar->state().Dtyd1) == day) return index;
    ADD_FAILURE() << "no cell shows day " << day;
    return 0;
  }

  Win32Toolkit toolkit;
  QuietSite site{toolkit, make_date(2024, 5, 20)};
  std::unique_ptr<Calendar> calendar;
};

TEST_F(Win32Accessible, NamesAndRolesOfTheDrawnWidgetsComeFirstThenTheWindows) {
  const ComRef<IAccessible> object = client();
  ASSERT_TRUE(object);
  long drawn = 0;
  for (std::size_t i = 0; i < surface().widget_count(); ++i) {
    Win32Widget& widget = surface().widget(WidgetId{static_cast<int>(i)});
    if (!widget.drawn()) continue;
    ++drawn;
    SCOPED_TRACE(calendar_widget_table().widgets[i].name);
    if (!widget.accessible_name().empty()) {
      EXPECT_EQ(name_of(*object, drawn), widget.accessible_name());
    }
    EXPECT_EQ(role_of(*object, drawn),
              widget.kind() == WidgetKind::Frame ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_STATICTEXT);
  }
  long windows = 0;
  for (HWND child = GetWindow(surface().window(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    ++windows;
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, drawn + windows);
  // A drawn widget is a simple element, without an object of its own.
  IDispatch* element = nullptr;
  EXPECT_EQ(object->get_accChild(child_id(1), &element), S_FALSE);
  EXPECT_EQ(element, nullptr);
}

TEST_F(Win32Accessible, TheDayCellOfTodayIsNamedWithItsDateAndFoundWhereItIsDrawn) {
  const ComRef<IAccessible> object = client();
  ASSERT_TRUE(object);
  const WidgetId cell = day_cell_id(cell_of_day(20));
  const long id = drawn_child(cell);
  EXPECT_EQ(name_of(*object, id), "pondělí 20. května 2024, dnes");

  RECT area = surface().widget(cell).area();
  MapWindowPoints(surface().window(), nullptr, reinterpret_cast<POINT*>(&area), 2);
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(object->accLocation(&left, &top, &width, &height, child_id(id)), S_OK);
  const RECT located{left, top, left + width, top + height};
  EXPECT_TRUE(EqualRect(&located, &area)) << left << "," << top << " " << width << "x" << height;
  VARIANT hit{};
  ASSERT_EQ(object->accHitTest((area.left + area.right) / 2, (area.top + area.bottom) / 2, &hit),
            S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  EXPECT_EQ(hit.lVal, id);

  // The names follow the refresh: 20 June 2024 is a Thursday.
  calendar->state().Mesic = 6;
  calendar->Aktualizuj(0);
  EXPECT_EQ(name_of(*object, drawn_child(day_cell_id(cell_of_day(20)))),
            "čtvrtek 20. června 2024, aktuální datum");
}

TEST_F(Win32Accessible, DrawnWidgetsOfADisabledControlAreUnavailable) {
  const ComRef<IAccessible> object = client();
  ASSERT_TRUE(object);
  const long id = drawn_child(day_cell_id(cell_of_day(20)));
  EXPECT_EQ(state_of(*object, id) & STATE_SYSTEM_UNAVAILABLE, 0);
  calendar->put_Enabled(false);
  EXPECT_NE(state_of(*object, id) & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST_F(Win32Accessible, AnObjectHeldPastTheControlAnswersThatItIsGone) {
  const ComRef<IAccessible> object = client();
  ASSERT_TRUE(object);
  calendar.reset();
  long count = 0;
  EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name_of(*object, 1), "(no name)");
}

}  // namespace
}  // namespace dnovar
