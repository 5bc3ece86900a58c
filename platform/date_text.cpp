#include "platform/date_text.h"

#include <cstdio>

namespace dnovar {

std::string format_date_text(DateSerial value) {
  const DateParts parts = date_parts(value);
  char buffer[40];
  if (parts.hour == 0 && parts.minute == 0 && parts.second == 0)
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", parts.date.year, parts.date.month,
                  parts.date.day);
  else
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", parts.date.year,
                  parts.date.month, parts.date.day, parts.hour, parts.minute, parts.second);
  return buffer;
}

namespace {
// Reads exactly `width` digits at `pos`.
std::optional<int> digits(std::string_view text, std::size_t pos, std::size_t width) {
  if (pos + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<DateSerial> parse(std::string_view text, bool seconds_optional) {
  // Year: 3 or 4 digits, then "-MM-DD".
  const std::size_t dash = text.find('-');
  if (dash != 3 && dash != 4) return std::nullopt;
  const auto year = digits(text, 0, dash);
  const auto month = digits(text, dash + 1, 2);
  const auto day = digits(text, dash + 4, 2);
  if (!year || !month || !day || text.size() < dash + 6 || text[dash + 3] != '-')
    return std::nullopt;
  if (*year < 100 || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
  DateSerial serial = 0;
  try {
    serial = make_date(*year, *month, *day);
  } catch (...) {
    return std::nullopt;
  }
  if (civil_date(serial) != CivilDate{*year, *month, *day}) return std::nullopt;
  std::size_t pos = dash + 6;
  if (pos == text.size()) return serial;
  if (text[pos] != 'T' && text[pos] != ' ') return std::nullopt;
  const bool with_seconds = !seconds_optional || text.size() != pos + 6;
  const auto hour = digits(text, pos + 1, 2);
  const auto minute = digits(text, pos + 4, 2);
  const auto second = with_seconds ? digits(text, pos + 7, 2) : std::optional<int>(0);
  if (!hour || !minute || !second || text.size() != pos + (with_seconds ? 9 : 6) ||
      text[pos + 3] != ':' || (with_seconds && text[pos + 6] != ':') || *hour > 23 ||
      *minute > 59 || *second > 59)
    return std::nullopt;
  const double fraction = (*hour * 3600 + *minute * 60 + *second) / 86400.0;
  // Below day 0 the fraction still counts forward, so it is subtracted from the negative serial.
  return serial < 0 ? serial - fraction : serial + fraction;
}

}  // namespace

std::optional<DateSerial> parse_date_text(std::string_view text) {
  return parse(text, false);
}

std::optional<DateSerial> parse_iso_date_text(std::string_view text) {
  return parse(text, true);
}

}  // namespace dnovar
