// Our UTF-8 text as a QString, whole: QString::fromUtf8 drops a U+FEFF at the start, taking it for
// a byte-order mark, where the control means the character.
#pragma once

#include <QString>
#include <QStringDecoder>
#include <string_view>

namespace dnovar {

// Whether `text` ends with a whole UTF-8 sequence (or is empty): where it does not, the decoder
// keeps the cut sequence back while QString::fromUtf8 writes a replacement character for it.
inline bool ends_whole_utf8(std::string_view text) {
  std::size_t continuation = 0;
  std::size_t at = text.size();
  while (at > 0 && continuation < 4 && (static_cast<unsigned char>(text[at - 1]) & 0xC0) == 0x80) {
    --at;
    ++continuation;
  }
  if (at == 0) return continuation == 0;
  const auto lead = static_cast<unsigned char>(text[at - 1]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  return continuation + 1 >= length;
}

inline QString qt_text(std::string_view text) {
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  // Only a text that starts with U+FEFF or ends inside a sequence needs the decoder; the rest
  // converts directly, which costs a fraction of setting up a decoder.
  if (!bytes.startsWith("\xEF\xBB\xBF") && ends_whole_utf8(text)) return QString::fromUtf8(bytes);
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return decoder(bytes);
}

}  // namespace dnovar
