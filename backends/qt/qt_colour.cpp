#include "backends/qt/qt_colour.h"

#include <QApplication>
#include <QWidget>

namespace dnovar {

namespace {

// The classic system colour indexes, each with the palette role that plays its part in Qt.
struct SystemColourRole {
  int index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr SystemColourRole kSystemColourRoles[] = {
    {0, QPalette::Active, QPalette::Button},              // scroll bar
    {1, QPalette::Active, QPalette::Dark},                // desktop
    {2, QPalette::Active, QPalette::Highlight},           // active caption
    {3, QPalette::Inactive, QPalette::Highlight},         // inactive caption
    {4, QPalette::Active, QPalette::Window},              // menu
    {5, QPalette::Active, QPalette::Base},                // window
    {6, QPalette::Active, QPalette::Shadow},              // window frame
    {7, QPalette::Active, QPalette::WindowText},          // menu text
    {8, QPalette::Active, QPalette::Text},                // window text
    {9, QPalette::Active, QPalette::HighlightedText},     // caption text
    {10, QPalette::Active, QPalette::Mid},                // active border
    {11, QPalette::Inactive, QPalette::Mid},              // inactive border
    {12, QPalette::Active, QPalette::Dark},               // application workspace
    {13, QPalette::Active, QPalette::Highlight},          // highlight
    {14, QPalette::Active, QPalette::HighlightedText},    // highlight text
    {15, QPalette::Active, QPalette::Button},             // button face
    {16, QPalette::Active, QPalette::Dark},               // button shadow
    {17, QPalette::Disabled, QPalette::Text},             // grey text
    {18, QPalette::Active, QPalette::ButtonText},         // button text
    {19, QPalette::Inactive, QPalette::HighlightedText},  // inactive caption text
    {20, QPalette::Active, QPalette::Light},              // button highlight
    {21, QPalette::Active, QPalette::Shadow},             // 3-D dark shadow
    {22, QPalette::Active, QPalette::Midlight},           // 3-D light
    {23, QPalette::Active, QPalette::ToolTipText},        // tool tip text
    {24, QPalette::Active, QPalette::ToolTipBase},        // tool tip background
};

}  // namespace

QColor resolve_colour(Colour colour, const QPalette& system) {
  if (!is_system_colour(colour)) return QColor(red_of(colour), green_of(colour), blue_of(colour));
  for (const SystemColourRole& entry : kSystemColourRoles)
    if (entry.index == system_colour_index(colour)) return system.color(entry.group, entry.role);
  // An index the platform never had: the button face, the colour a control surface stands on.
  return system.color(QPalette::Active, QPalette::Button);
}

void paint_colours(QWidget& widget, Colour back, QPalette::ColorRole back_role, Colour fore,
                   QPalette::ColorRole fore_role) {
  const QPalette system = QApplication::palette();
  QPalette palette = widget.palette();
  const QColor back_colour = resolve_colour(back, system);
  const QColor fore_colour = resolve_colour(fore, system);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, back_role, back_colour);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    palette.setColor(group, fore_role, fore_colour);
  widget.setPalette(palette);
}

}  // namespace dnovar
