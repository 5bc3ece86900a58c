#include "backends/qt/qt_colour.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

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

double contrast_ratio(const QColor& a, const QColor& b) {
  // WCAG 2: relative luminance of linearised sRGB channels.
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readable_on(const QColor& text, const QColor& back, double minimum) {
  if (contrast_ratio(text, back) >= minimum) return text;
  // Black or white, whichever stands out more, reaches at least the square root of 21 (4.58):
  // the colour is moved towards it in steps, keeping as much of its hue as the contrast allows.
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  const QColor& extreme =
      contrast_ratio(black, back) >= contrast_ratio(white, back) ? black : white;
  for (int step = 1; step < 10; ++step) {
    const double t = step / 10.0;
    const QColor mixed =
        QColor::fromRgbF(static_cast<float>(text.redF() + (extreme.redF() - text.redF()) * t),
                         static_cast<float>(text.greenF() + (extreme.greenF() - text.greenF()) * t),
                         static_cast<float>(text.blueF() + (extreme.blueF() - text.blueF()) * t));
    if (contrast_ratio(mixed, back) >= minimum) return mixed;
  }
  return extreme;
}

namespace {

// A painted palette and what it was painted from.
struct PaintedPalette {
  QPalette base;    // the widget's palette before
  QPalette system;  // the application's
  Colour back;
  QPalette::ColorRole back_role;
  Colour fore;
  QPalette::ColorRole fore_role;
  QPalette painted;
};

// Every role of every group set: resolving it against a parent's palette copies nothing, so all
// the widgets painted alike share one set of brushes, and a style's cached pixmaps keyed by it.
void set_every_role(QPalette& palette) {
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    for (int role = 0; role < QPalette::NColorRoles; ++role)
      if (role != QPalette::NoRole) {
        const auto r = static_cast<QPalette::ColorRole>(role);
        palette.setBrush(group, r, palette.brush(group, r));
      }
}

QPalette paint_palette(const QPalette& base, const QPalette& system, Colour back,
                       QPalette::ColorRole back_role, Colour fore, QPalette::ColorRole fore_role) {
  QPalette palette = base;
  const QColor back_colour = resolve_colour(back, system);
  const QColor fore_colour = readable_on(resolve_colour(fore, system), back_colour);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, back_role, back_colour);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    palette.setColor(group, fore_role, fore_colour);
  palette.setColor(
      QPalette::Disabled, fore_role,
      readable_on(system.color(QPalette::Disabled, fore_role), back_colour, kDisabledContrast));
  set_every_role(palette);
  return palette;
}

// Palettes painted so far, for every instance of every surface: a handful of colour pairs on a
// handful of bases. Bounded, in case a host paints with ever new colours.
std::vector<PaintedPalette>& painted_palettes() {
  static std::vector<PaintedPalette> palettes;
  return palettes;
}
constexpr std::size_t kMaxPaintedPalettes = 256;

const PaintedPalette& find_painted(const QPalette& base, Colour back, QPalette::ColorRole back_role,
                                   Colour fore, QPalette::ColorRole fore_role) {
  const QPalette system = QApplication::palette();
  std::vector<PaintedPalette>& palettes = painted_palettes();
  const PaintedPalette* found = nullptr;
  for (const PaintedPalette& p : palettes) {
    if (p.back == back && p.fore == fore && p.back_role == back_role && p.fore_role == fore_role &&
        p.system == system && p.base == base) {
      found = &p;
      break;
    }
  }
  if (found == nullptr) {
    if (palettes.size() >= kMaxPaintedPalettes) palettes.clear();
    palettes.push_back({base, system, back, back_role, fore, fore_role,
                        paint_palette(base, system, back, back_role, fore, fore_role)});
    found = &palettes.back();
  }
  return *found;
}

}  // namespace

QPalette painted_palette(const QPalette& base, Colour back, QPalette::ColorRole back_role,
                         Colour fore, QPalette::ColorRole fore_role) {
  return find_painted(base, back, back_role, fore, fore_role).painted;
}

void paint_colours(QWidget& widget, Colour back, QPalette::ColorRole back_role, Colour fore,
                   QPalette::ColorRole fore_role) {
  const PaintedPalette* found = &find_painted(widget.palette(), back, back_role, fore, fore_role);
  // A widget painted as its container is (a plain day cell in the frame) takes the container's
  // palette instead of a copy of its own.
  if (widget.parentWidget() != nullptr && found->painted == widget.parentWidget()->palette()) {
    widget.setPalette(QPalette());
    if (widget.palette() == found->painted) return;
  }
  widget.setPalette(found->painted);
}

QPalette shared_palette(const QPalette& palette) {
  // Equal palettes share their brushes most times, which makes the comparison one pointer's.
  for (const PaintedPalette& p : painted_palettes()) {
    if (p.painted == palette) {
      // Equality ignores the group a widget draws with (disabled, inactive): it stays the
      // widget's.
      QPalette shared = p.painted;
      shared.setCurrentColorGroup(palette.currentColorGroup());
      return shared;
    }
  }
  return palette;
}

}  // namespace dnovar
