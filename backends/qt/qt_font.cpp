#include "backends/qt/qt_font.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace dnovar {

namespace {

constexpr std::string_view kCentralEuropeanSuffix = " CE";

// Sans faces of the control's platform that Liberation Sans stands in for.
constexpr std::string_view kArialLikeFaces[] = {"MS Sans Serif", "Microsoft Sans Serif", "Arial",
                                                "MS Shell Dlg", "Helvetica"};

QStringList fallback_families() {
  return {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}

}  // namespace

QStringList font_families(std::string_view face) {
  // "Arial CE" was Arial recoded for Central Europe; Unicode faces carry the Czech letters.
  if (face.size() > kCentralEuropeanSuffix.size() && face.ends_with(kCentralEuropeanSuffix))
    face.remove_suffix(kCentralEuropeanSuffix.size());
  if (std::find(std::begin(kArialLikeFaces), std::end(kArialLikeFaces), face) !=
      std::end(kArialLikeFaces))
    return fallback_families();
  QStringList families = fallback_families();
  families.prepend(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())));
  return families;
}

QFont font_for(const FontSpec& font) {
  // Every widget asks for one of a few fonts: made once, then shared (QFont is implicitly shared).
  struct Made {
    FontSpec asked;
    QFont font;
  };
  static std::vector<Made> made;
  for (const Made& m : made)
    if (same_font(m.asked, font)) return m.font;
  QFont result;
  result.setFamilies(font_families(font.face));
  result.setStyleHint(QFont::SansSerif);
  constexpr double kPixelsPerPoint = 96.0 / 72.0;
  result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * kPixelsPerPoint))));
  result.setBold(font.bold);
  result.setItalic(false);
  result.setUnderline(false);
  made.push_back({font, result});
  return result;
}

bool same_font(const FontSpec& a, const FontSpec& b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold && a.charset == b.charset;
}

}  // namespace dnovar
