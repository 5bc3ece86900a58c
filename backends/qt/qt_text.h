// Our UTF-8 text as a QString, whole: QString::fromUtf8 drops a U+FEFF at the start, taking it for
// a byte-order mark, where the control means the character.
#pragma once

#include <QString>
#include <QStringDecoder>
#include <string_view>

namespace dnovar {

inline QString qt_text(std::string_view text) {
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace dnovar
