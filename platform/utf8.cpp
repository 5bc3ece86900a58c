#include "platform/utf8.h"

#include <cstddef>

namespace dnovar {

std::vector<int> code_points(std::string_view text) {
  std::vector<int> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = (byte >> 5) == 0x6    ? 2
                               : (byte >> 4) == 0xE  ? 3
                               : (byte >> 3) == 0x1E ? 4
                                                     : 1;
    int point = length == 1 ? byte : byte & (0x7F >> length);
    bool valid = length > 1 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    constexpr int kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && point >= kSmallest[length] && point <= 0x10FFFF &&
            !(point >= 0xD800 && point <= 0xDFFF);
    points.push_back(valid ? point : byte);
    i += valid ? length : 1;
  }
  return points;
}

std::string valid_utf8(std::string_view text) {
  bool ascii = true;
  for (const char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(text);
  std::string result;
  result.reserve(text.size());
  for (const int point : code_points(text)) result += utf8_of(point);
  return result;
}

std::string utf8_of(int code_point) {
  if (code_point < 0 || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
    return {};
  const auto cp = static_cast<unsigned>(code_point);
  std::string text;
  if (cp < 0x80) {
    text += static_cast<char>(cp);
  } else if (cp < 0x800) {
    text += static_cast<char>(0xC0 | (cp >> 6));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    text += static_cast<char>(0xE0 | (cp >> 12));
    text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (cp >> 18));
    text += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return text;
}

}  // namespace dnovar
