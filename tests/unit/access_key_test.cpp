// A caption's access key and its shown text, parsed once: what a table's rows carry, what the
// headless backend presses on Alt + the key, and what a screen reader reads.
#include "platform/access_key.h"

#include <gtest/gtest.h>

#include "core/accessible_text.h"
#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::StartedCalendar;

struct CaptionCase {
  const char* caption;
  char key;
  const char* shown;
};

const CaptionCase kCaptions[] = {
    {"&Dnes", 'd', "Dnes"},
    {"&Zavři", 'z', "Zavři"},
    {"D + -", 0, "D + -"},
    {"A&&B", 0, "A&B"},
    {"&&", 0, "&"},
    {"&&&Z", 'z', "&Z"},
    {"Tisk&", 0, "Tisk"},
    {"&", 0, ""},
    {"&A&B", 'a', "AB"},
    {"Rok &2024", '2', "Rok 2024"},
    {"&Čas", 0, "Čas"},
    {"& x", 0, " x"},
    {"", 0, ""},
};

TEST(AccessKey, EachCaptionGivesItsKeyAndItsShownText) {
  for (const CaptionCase& c : kCaptions) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(access_key(c.caption), c.key);
    EXPECT_EQ(shown_caption(c.caption), c.shown);
  }
}

WidgetTable form_with_button(const char* caption) {
  WidgetTable form;
  form.width = 3000;
  form.height = 1500;
  WidgetRow label;
  label.caption = "&Label";  // only buttons have keys
  form.widgets.push_back(label);
  WidgetRow button;
  button.kind = WidgetKind::CommandButton;
  button.name = "Command1";
  button.caption = caption;
  form.widgets.push_back(button);
  return form;
}

class CountingClicks final : public WidgetEvents {
 public:
  void click(WidgetId) override { ++clicks; }
  // The form has only its button to press.
  void value_changed(WidgetId) override {}
  void key_press(WidgetId, int&) override {}
  void mouse_down(WidgetId, int) override {}
  void mouse_move(WidgetId, int) override {}
  void double_click(WidgetId) override {}
  void focus_entered() override {}
  void focus_left() override {}
  void grid_focus_entered() override {}
  void grid_focus_left() override {}
  void grid_key(GridKey, int) override {}
  int clicks = 0;
};

TEST(AccessKey, EverySurfacesTableHasItsButtonsKeysAndHeadlessPressesOnlyThose) {
  HeadlessToolkit toolkit;
  testing_support::TestSite site;
  for (const CaptionCase& c : kCaptions) {
    SCOPED_TRACE(c.caption);
    const std::unique_ptr<Form> form = toolkit.create_form(form_with_button(c.caption), site);
    EXPECT_EQ(form->table().widgets[0].access_key, 0);
    EXPECT_EQ(form->table().widgets[1].access_key, c.key);
    CountingClicks events;
    form->set_events(&events);
    toolkit.queue_modal_action(ModalAction::AccessKey);
    form->show_modal();
    EXPECT_EQ(events.clicks, c.key != 0 ? 1 : 0);
    form->set_events(nullptr);
  }
  EXPECT_EQ(calendar_widget_table().widgets[widget_ids::cmdDnes.value].access_key, 'd');
  EXPECT_EQ(calendar_widget_table().widgets[widget_ids::cmdDplus.value].access_key, 0);
}

TEST(AccessKey, AButtonIsReadAsItsCaptionShows) {
  StartedCalendar c(make_date(2024, 5, 20));
  for (const CaptionCase& each : kCaptions) {
    SCOPED_TRACE(each.caption);
    c.calendar.widget(widget_ids::cmdDnes).set_caption(each.caption);
    describe_fixed_widgets(c.calendar);
    EXPECT_EQ(c.calendar.widget(widget_ids::cmdDnes).accessible_name(), each.shown);
  }
}

}  // namespace
}  // namespace dnovar
