// A modal form on Qt: the window it is, and the ways it ends.
#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QTimer>

#include "host/about_dialog.h"
#include "tests/qt/qt_test_support.h"

namespace dnovar::qt_test {
namespace {

// The about dialog's own form: its title label first, its button last.
constexpr WidgetId kTitle{0};
constexpr WidgetId kClose{3};

// The form's button unloads it, as the dialog's own handler does.
class ClosingButton : public EventSpy {
 public:
  void click(WidgetId id) override {
    EventSpy::click(id);
    if (id == kClose) form->unload();
  }
  Form* form = nullptr;
};

class QtModalForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form = toolkit.create_form(about_dialog_form(), errors);
    events.watch(*form);
    events.form = form.get();
    form->set_events(&events);
  }

  // Runs `act` inside the modal loop; gives up (and fails) if the form is still shown 5 s later.
  void show_and(std::function<void(QWidget&)> act) {
    QWidget& window = surface_root(*form);
    QTimer::singleShot(0, &window, [&window, act] {
      if (QTest::qWaitForWindowActive(&window)) act(window);
    });
    QTimer::singleShot(5000, &window, [this] {
      gave_up = true;
      form->unload();
    });
    form->show_modal();
    EXPECT_FALSE(gave_up) << "the form stayed open";
    EXPECT_FALSE(form->loaded());
  }

  QtToolkit toolkit;
  RecordedErrors errors;
  ClosingButton events;
  std::unique_ptr<Form> form;
  bool gave_up = false;
};

TEST_F(QtModalForm, IsAFixedDialogWindowWithItsCaptionAndOnlyACloseBox) {
  QWidget& window = surface_root(*form);
  EXPECT_EQ(window.windowTitle(), QStringLiteral(" Dnovar"));
  // The table's client area, 4290 x 2595 twips, or more where the text needs it.
  EXPECT_GE(window.width(), 286);
  EXPECT_GE(window.height(), 173);
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(surface_widget(*form, kTitle).font().pixelSize(), 18);
}

std::vector<Notice> clicks(std::vector<Notice> notices) {
  std::erase_if(notices, [](const Notice& notice) { return notice.kind != Kind::Click; });
  return notices;
}

struct EndCase {
  const char* name;
  std::function<void(Form&, QWidget& window)> act;
  bool clicked;
};

TEST_F(QtModalForm, EachWayOfClosingEndsTheShowingAndEscapeIsNotOne) {
  const EndCase cases[] = {
      {"button clicked",
       [](Form& f, QWidget&) { QTest::mouseClick(&surface_widget(f, kClose), Qt::LeftButton); },
       true},
      {"Alt+Z",
       [](Form&, QWidget& window) { QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier); }, true},
      {"close box", [](Form&, QWidget& window) { window.close(); }, false},
      {"unloaded twice from code",
       [](Form& f, QWidget&) {
         f.unload();
         f.unload();
       },
       false},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();  // a fresh form each time, as the about dialog gets
    bool open_after_escape = false;
    show_and([&](QWidget& window) {
      QTest::keyClick(&window, Qt::Key_Escape);
      QTest::keyClick(&surface_widget(*form, kClose), Qt::Key_Escape);
      open_after_escape = form->loaded() && window.isVisible();
      c.act(*form, window);
    });
    EXPECT_TRUE(open_after_escape);
    EXPECT_FALSE(surface_root(*form).isVisible());
    const std::vector<Notice> expected =
        c.clicked ? std::vector<Notice>{{Kind::Click, kClose.value, 0}} : std::vector<Notice>{};
    EXPECT_EQ(clicks(events.take()), expected);
  }
}

TEST_F(QtModalForm, ADoubledAmpersandIsShownAsOneAndIsNoAccessKey) {
  const struct {
    const char* caption;
    Qt::Key key;
    bool pressed;
    const char* shown;
  } cases[] = {
      {"A&&B", Qt::Key_B, false, "A&B"},
      {"A&&B", Qt::Key_A, false, "A&B"},
      {"A&B", Qt::Key_B, true, "AB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    WidgetTable table = about_dialog_form();
    table.widgets[static_cast<std::size_t>(kClose.value)].caption = c.caption;
    form = toolkit.create_form(table, errors);
    events.watch(*form);
    events.form = form.get();
    form->set_events(&events);
    EXPECT_EQ(form->table().widgets[static_cast<std::size_t>(kClose.value)].access_key,
              c.pressed ? 'b' : 0);
    auto& button = static_cast<QAbstractButton&>(surface_widget(*form, kClose));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&button)->text(QAccessible::Name),
              QString::fromUtf8(c.shown));
    bool pressed = false;
    show_and([&](QWidget& window) {
      QTest::keyClick(&window, c.key, Qt::AltModifier);
      // An access key presses its button at once and clicks it when let up; the click closes.
      pressed = button.isDown();
      if (!pressed) form->unload();
    });
    EXPECT_EQ(pressed, c.pressed);
    const std::vector<Notice> expected =
        c.pressed ? std::vector<Notice>{{Kind::Click, kClose.value, 0}} : std::vector<Notice>{};
    EXPECT_EQ(clicks(events.take()), expected);
  }
}

TEST_F(QtModalForm, EveryLabelHoldsItsWholeTextInsideTheForm) {
  QWidget& window = surface_root(*form);
  const auto& rows = about_dialog_form().widgets;
  int labels = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].kind != WidgetKind::Label) continue;
    ++labels;
    SCOPED_TRACE(rows[i].name);
    auto& label = static_cast<QLabel&>(surface_widget(*form, WidgetId{static_cast<int>(i)}));
    EXPECT_LE(label.sizeHint().width(), label.width());
    if (label.wordWrap()) {
      EXPECT_LE(label.heightForWidth(label.width()), label.height());
    }
    EXPECT_TRUE(window.rect().contains(label.geometry())) << "cut by the form's edge";
    // The layout stays: the label stands where the table puts it.
    EXPECT_EQ(label.pos(), QPoint(rows[i].rect.left, rows[i].rect.top) / 15);
  }
  EXPECT_EQ(labels, 3);
}

TEST_F(QtModalForm, AnUnloadedFormShowsAgainButNotTwiceAtOnce) {
  form->unload();
  EXPECT_FALSE(form->loaded());
  int nested_error = 0;
  show_and([&](QWidget&) {
    EXPECT_TRUE(form->loaded());
    try {
      form->show_modal();
    } catch (const RuntimeError& error) {
      nested_error = error.number();
    }
    form->unload();
  });
  EXPECT_EQ(nested_error, 400);
}

}  // namespace
}  // namespace dnovar::qt_test
