// The calendar surface on Qt: where its widgets stand, how they look, and where the focus goes.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "backends/qt/qt_colour.h"
#include "backends/qt/qt_frame_box.h"
#include "tests/qt/qt_test_support.h"

namespace dnovar::qt_test {
namespace {

using QtSurfaceLook = CalendarSurfaceTest;

// Twips of a widget from the surface's client area: its own plus its container's.
QPoint twips_from_root(const WidgetRow& entry) {
  QPoint origin(entry.rect.left, entry.rect.top);
  if (entry.parent != kNoParent) {
    const TwipRect& container =
        calendar_widget_table().widgets[static_cast<std::size_t>(entry.parent)].rect;
    origin += QPoint(container.left, container.top);
  }
  return origin;
}

TEST_F(QtSurfaceLook, RootIsTheClientAreaAndEveryWidgetStandsWhereItsTwipsSay) {
  EXPECT_EQ(root->size(), QSize(300, 251));
  const auto& widgets = calendar_widget_table().widgets;
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    const WidgetRow& entry = widgets[i];
    SCOPED_TRACE(entry.name + "(" + std::to_string(entry.index) + ")");
    const ShownArea widget = shown(WidgetId{static_cast<int>(i)});
    EXPECT_EQ(widget.widget.mapTo(root, widget.rect.topLeft()), twips_from_root(entry) / 15);
    EXPECT_EQ(widget.rect.size(), QSize(entry.rect.width, entry.rect.height) / 15);
  }
}

TEST_F(QtSurfaceLook, DayCellsFormSixWeekColumnsOfSevenWeekdays) {
  for (int i = 0; i < kDayCellCount; ++i) {
    SCOPED_TRACE(i);
    const int column = i / 7;
    const int row = i % 7;
    const ShownArea cell = shown(day_cell_id(i));
    EXPECT_EQ(cell.widget.mapTo(root, cell.rect.topLeft()),
              QPoint((120 + 1080 + 360 * column) / 15, (120 + 1200 + 240 * row) / 15));
  }
}

TEST_F(QtSurfaceLook, FontsFitTheCellsAndCarryCzechLetters) {
  const QString czech = QString::fromUtf8("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž");
  for (bool bold : {false, true}) {
    SCOPED_TRACE(bold);
    const ShownArea cell = shown(day_cell_id(12));
    surface->widget(day_cell_id(12)).set_font_bold(bold);
    const QFont font = shown_font(*surface, day_cell_id(12));
    const QFontMetrics metrics(font);
    EXPECT_EQ(font.pixelSize(), 11) << "8.25 pt at 96 dots per inch, whatever the screen";
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("28")), cell.rect.width());
    EXPECT_LE(metrics.height(), cell.rect.height());
    for (char32_t letter : czech.toUcs4())
      EXPECT_TRUE(metrics.inFontUcs4(letter)) << static_cast<int>(letter);
  }
  EXPECT_TRUE(qt(widget_ids::txtDen).font().bold());
  EXPECT_FALSE(qt(widget_ids::txtYear).font().bold());
}

TEST_F(QtSurfaceLook, FrameCaptionTurnsBoldAloneAndTheWidgetsKeepTheirFonts) {
  Widget& frame = surface->widget(widget_ids::Frame1);
  frame.set_font_bold(true);
  EXPECT_TRUE(frame.font_bold());
  EXPECT_TRUE(qt(widget_ids::Frame1).font().bold());
  EXPECT_FALSE(shown_font(*surface, day_cell_id(0)).bold());
  EXPECT_FALSE(qt(widget_ids::cmdDnes).font().bold());
  EXPECT_FALSE(surface->widget(widget_ids::lblPrestup).font_bold());
  frame.set_font_bold(false);
  EXPECT_FALSE(qt(widget_ids::Frame1).font().bold());
  EXPECT_TRUE(qt(widget_ids::txtDen).font().bold());
}

TEST_F(QtSurfaceLook, CaptionsTextsAndToolTipShowWhatWasSet) {
  using namespace widget_ids;
  EXPECT_EQ(static_cast<FrameBox&>(qt(Frame1)).caption(), QString::fromUtf8(" Kalendář "));
  EXPECT_EQ(static_cast<QPushButton&>(qt(cmdZavri)).text(), QString::fromUtf8("&Zavři"));
  EXPECT_EQ(qt(cmdDplus).toolTip(), QString::fromUtf8("Posune datum o zadaný počet dní."));
  EXPECT_EQ(static_cast<QLineEdit&>(qt(txtDen)).alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
  EXPECT_EQ(static_cast<QLineEdit&>(qt(txtYear)).alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  surface->widget(Frame1).set_caption("Čtvrtletí & spol.");
  EXPECT_EQ(surface->widget(Frame1).caption(), "Čtvrtletí & spol.");
  EXPECT_EQ(static_cast<FrameBox&>(qt(Frame1)).caption(), QString::fromUtf8("Čtvrtletí & spol."));
  surface->widget(txtDplus).set_text("-14");
  EXPECT_EQ(static_cast<QLineEdit&>(qt(txtDplus)).text(), QStringLiteral("-14"));
}

struct CellColourCase {
  int cell;
  Colour colour;
};

TEST_F(QtSurfaceLook, CellBackgroundsAreStoredAsSetAndPaintedResolved) {
  const CellColourCase cases[] = {{0, kCyan}, {8, kYellow}, {16, kButtonFace}, {24, 0x00336699}};
  for (const CellColourCase& c : cases) {
    Widget& cell = surface->widget(day_cell_id(c.cell));
    cell.set_caption("");  // nothing drawn over the centre
    cell.set_back_colour(c.colour);
    EXPECT_EQ(cell.back_colour(), c.colour) << "system colours stay unresolved";
  }
  const QImage picture = render_surface(*surface);
  const QColor button_face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  const QColor expected[] = {QColor(0, 255, 255), QColor(255, 255, 0), button_face,
                             QColor(0x99, 0x66, 0x33)};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].cell);
    const ShownArea cell = shown(day_cell_id(cases[i].cell));
    const QPoint centre = cell.widget.mapTo(root, cell.rect.center()) * picture.devicePixelRatio();
    EXPECT_EQ(picture.pixelColor(centre), expected[i]);
  }
  // A plain cell blends into the frame: the frame's inside is its background colour, untinted.
  QWidget& frame = qt(widget_ids::Frame1);
  const QPoint left_margin =
      frame.mapTo(root, QPoint(10, frame.height() / 2)) * picture.devicePixelRatio();
  EXPECT_EQ(picture.pixelColor(left_margin), button_face);
}

// Enabled labels paint from a picture kept for each look, the grid's cells as well; the pixels
// are those QLabel paints. (A cell's bottom line lies under the next row's cell: it is left out.)
TEST_F(QtSurfaceLook, LabelsPaintThePixelsQLabelPaints) {
  surface->widget(day_cell_id(3)).set_back_colour(kCyan);
  surface->widget(day_cell_id(4)).set_font_bold(true);
  surface->widget(day_cell_id(5)).set_back_colour(kYellow);
  surface->widget(day_cell_id(5)).set_caption("31");
  surface->widget(widget_ids::lblPrestup).set_caption("Přestupný rok");
  for (WidgetId id :
       {day_cell_id(2), day_cell_id(3), day_cell_id(4), day_cell_id(5), day_cell_id(6),
        weekday_label_id(6), widget_ids::lblTyden, widget_ids::lblPrestup}) {
    SCOPED_TRACE(id.value);
    const Widget& widget = surface->widget(id);
    const ShownArea area = shown(id);
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setText(QString::fromStdString(widget.caption()));
    plain.setFont(shown_font(*surface, id));
    plain.setPalette(painted_palette(area.widget.palette(), widget.back_colour(), QPalette::Window,
                                     widget.fore_colour(), QPalette::WindowText));
    plain.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    plain.setWordWrap(true);
    plain.setAutoFillBackground(true);
    plain.resize(area.rect.size());
    const auto pixels = [&](const QPixmap& picture) {
      return picture.toImage()
          .convertToFormat(QImage::Format_RGB32)
          .copy(0, 0, area.rect.width(), area.rect.height() - 1);
    };
    EXPECT_EQ(pixels(area.widget.grab(area.rect)), pixels(plain.grab()));
  }
}

TEST_F(QtSurfaceLook, SystemColoursPaintAsThePalettesRoles) {
  const QPalette& system = QApplication::palette();
  Widget& label = surface->widget(widget_ids::lblPrestup);
  label.set_caption("");
  const struct {
    Colour colour;
    QColor painted;
  } cases[] = {{kButtonFace, system.color(QPalette::Button)},
               {kButtonText, system.color(QPalette::ButtonText)},
               {kWindowBackground, system.color(QPalette::Base)},
               {kWindowText, system.color(QPalette::Text)}};
  for (const auto& c : cases) {
    label.set_back_colour(c.colour);
    const QImage picture = render_surface(*surface);
    const ShownArea widget = shown(widget_ids::lblPrestup);
    EXPECT_EQ(picture.pixelColor(widget.widget.mapTo(root, widget.rect.center())), c.painted)
        << std::hex << c.colour;
  }
}

TEST(QtSurfaceTable, AWidgetInsideAnythingButAnEarlierFrameIsAnInvalidArgument) {
  const struct {
    const char* name;
    WidgetKind container;
    int parent;
  } cases[] = {{"inside a label", WidgetKind::Label, 0},
               {"inside itself", WidgetKind::Frame, 1},
               {"inside a later frame", WidgetKind::Frame, 2},
               {"no such widget", WidgetKind::Frame, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WidgetTable table;
    table.widgets.resize(3);
    table.widgets[0].kind = c.container;
    table.widgets[1].parent = c.parent;
    table.widgets[2].kind = WidgetKind::Frame;
    QtToolkit toolkit;
    RecordedErrors errors;
    try {
      toolkit.create_surface(table, errors);
      ADD_FAILURE() << "created";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), error_number::invalid_argument);
    }
  }
}

// The control placed between two fields of a host window.
class QtFocus : public CalendarSurfaceTest {
 protected:
  void SetUp() override {
    CalendarSurfaceTest::SetUp();
    // Created in this order, the three stand in this order in the window's tab chain.
    auto* layout = new QVBoxLayout(&window);
    before = new QLineEdit(&window);
    layout->addWidget(before);
    layout->addWidget(root);
    after = new QLineEdit(&window);
    layout->addWidget(after);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    spy.take();
  }

  // The host window goes after the control, whose root it holds.
  void TearDown() override { surface.reset(); }

  void tab(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
  }

  QWidget window;
  QLineEdit* before = nullptr;
  QLineEdit* after = nullptr;
};

TEST_F(QtFocus, TabVisitsTheFocusableWidgetsByTabIndex) {
  using namespace widget_ids;
  const WidgetId order[] = {cmbMonth, UpDown3,  txtYear,  UpDown2, UpDown1,
                            cmdDnes,  cmdDplus, cmdZavri, txtDplus};
  for (WidgetId id : order) {
    tab();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(QApplication::focusWidget() == &qt(id) ||
                QApplication::focusWidget()->focusProxy() == &qt(id) ||
                qt(id).isAncestorOf(QApplication::focusWidget()))
        << calendar_widget_table().widgets[static_cast<std::size_t>(id.value)].name;
  }
  tab();
  EXPECT_EQ(QApplication::focusWidget(), &shown(day_cell_id(0)).widget) << "the day grid";
  tab();
  EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST_F(QtFocus, EnteringAndLeavingAreReportedOnceMovesInsideNot) {
  tab();
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusEntered}}));
  // Eight moves between the widgets, the ninth onto the day grid.
  for (int i = 0; i < 9; ++i) tab();
  EXPECT_TRUE(spy.take().empty()) << "moves between the control's own widgets";
  tab();
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusLeft}}));
  tab(Qt::ShiftModifier);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusEntered}}));
  before->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusLeft}}));
}

TEST_F(QtFocus, AClickOnAWidgetOfTheControlEntersIt) {
  QTest::mouseClick(&qt(widget_ids::cmdDnes), Qt::LeftButton);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusEntered},
                                             {Kind::Click, widget_ids::cmdDnes.value, 0}}));
}

TEST_F(QtFocus, ADialogIsAnotherWindowAndTakesNoFocusFromTheControl) {
  tab();
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusEntered}}));
  QWidget* inside = QApplication::focusWidget();
  {
    QDialog dialog;
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), field);
  }
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(QApplication::focusWidget(), inside);
  EXPECT_TRUE(spy.take().empty()) << "the dialog came and went; the control kept the focus";
}

TEST_F(QtFocus, ADisabledControlLosesTheFocusAtOnceAndTakesNoneUntilEnabled) {
  tab();
  spy.take();
  surface->set_enabled(false);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusLeft}}));
  EXPECT_FALSE(root->isAncestorOf(QApplication::focusWidget()));
  before->setFocus(Qt::OtherFocusReason);
  tab();
  EXPECT_EQ(QApplication::focusWidget(), after) << "Tab passes the disabled control";
  surface->set_enabled(true);
  EXPECT_TRUE(spy.take().empty());
  tab(Qt::ShiftModifier);
  EXPECT_EQ(spy.take(), (std::vector<Notice>{{Kind::FocusEntered}}));
}

TEST_F(QtFocus, ASpinnerWithTheFocusShowsAMark) {
  for (WidgetId spinner : {widget_ids::UpDown1, widget_ids::UpDown2, widget_ids::UpDown3}) {
    QWidget& arrows = qt(spinner);
    before->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    const QImage unfocused = arrows.grab().toImage();
    arrows.setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(arrows.hasFocus());
    EXPECT_NE(arrows.grab().toImage(), unfocused) << spinner.value;
    before->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(arrows.grab().toImage(), unfocused) << spinner.value << ": the mark stays";
  }
}

TEST_F(QtFocus, OpeningTheMonthListKeepsTheFocusInside) {
  auto& combo = static_cast<QComboBox&>(qt(widget_ids::cmbMonth));
  surface->widget(widget_ids::cmbMonth).add_item("Leden");
  combo.setFocus(Qt::TabFocusReason);
  spy.take();
  combo.showPopup();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(combo.view()->window()));
  combo.hidePopup();
  EXPECT_TRUE(spy.take().empty());
}

}  // namespace
}  // namespace dnovar::qt_test
