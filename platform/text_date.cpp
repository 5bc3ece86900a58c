// Dates from text by a locale's rules (text_conversion.h).
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/date_text.h"
#include "platform/error.h"
#include "platform/text_conversion.h"
#include "platform/text_scan.h"

namespace dnovar {

namespace {

// Larger than any year, month, day, hour, minute or second.
constexpr std::uint64_t kNoField = 0xFFFFFFFFu;

// What the reading of a text found: up to six numbers, each with what followed or named it.
struct DateFields {
  static constexpr unsigned time_separator = 1, date_separator = 2, month_name = 4, am = 8, pm = 16;
  int count = 0;
  unsigned flags_all = 0;
  std::array<unsigned, 6> flags{};
  std::array<std::uint64_t, 6> values{};

  bool time_field(int i) const { return (flags[i] & time_separator) != 0; }
  bool marked(int i) const { return (flags[i] & (am | pm)) != 0; }
  bool any_marked() const { return (flags_all & (am | pm)) != 0; }
};

enum class Word { none, month, am, pm, other };

struct WordMatch {
  Word word = Word::none;
  int month = 0;
  std::size_t length = 0;
};

// The longest of the locale's words that the text starts with.
WordMatch match_word(std::u32string_view text, const LocaleText& locale) {
  WordMatch best;
  const auto consider = [&](std::u32string_view word, Word kind, int month) {
    if (word.size() > best.length && starts_with_ignoring_case(text, word))
      best = WordMatch{kind, month, word.size()};
  };
  for (int m = 0; m < 12; ++m) {
    consider(locale.months[m], Word::month, m + 1);
    consider(locale.months_genitive[m], Word::month, m + 1);
    consider(locale.month_abbreviations[m], Word::month, m + 1);
  }
  for (int d = 0; d < 7; ++d) {
    consider(locale.days[d], Word::other, 0);
    consider(locale.day_abbreviations[d], Word::other, 0);
  }
  consider(locale.am, Word::am, 0);
  consider(locale.pm, Word::pm, 0);
  return best;
}

DateFields read_fields(std::u32string_view text, const LocaleText& locale) {
  DateFields f;
  int date_separators = 0;
  const auto mark_last = [&](unsigned flag) {
    if (f.count == 0) raise_type_mismatch();
    f.flags[f.count - 1] |= flag;
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = text[pos];
    const bool last = pos + 1 == text.size();
    if (is_ascii_digit(c)) {
      if (f.count == 6) raise_type_mismatch();
      // Any number of digits: the value stops growing at kNoField, which no field takes, so
      // it never wraps round to one that some field does.
      std::uint64_t value = 0;
      while (pos < text.size() && is_ascii_digit(text[pos])) {
        value = std::min<std::uint64_t>(value * 10 + (text[pos] - U'0'), kNoField);
        ++pos;
      }
      f.values[f.count++] = value;
      continue;
    }
    if (is_text_letter(c)) {
      const WordMatch match = match_word(text.substr(pos), locale);
      if (match.word == Word::month) {
        if (f.count == 6) raise_type_mismatch();
        f.values[f.count] = static_cast<std::uint64_t>(match.month);
        f.flags[f.count++] |= DateFields::month_name | DateFields::date_separator;
      } else if (match.word == Word::am || match.word == Word::pm ||
                 (match.word == Word::none && (c == U'a' || c == U'A' || c == U'p' || c == U'P'))) {
        const bool pm =
            match.word == Word::pm || (match.word == Word::none && (c == U'p' || c == U'P'));
        if (f.count == 0 || f.any_marked()) raise_type_mismatch();
        const unsigned flag = pm ? DateFields::pm : DateFields::am;
        mark_last(flag);
        f.flags_all |= flag;
      } else if (match.word == Word::none) {
        raise_type_mismatch();
      }
      pos += match.length == 0 ? 1 : match.length;
      // A lone 'a' or 'p' takes the letter after it along: "5 AM" reads so in every locale.
      if (match.word == Word::none && pos < text.size() && (text[pos] == U'm' || text[pos] == U'M'))
        ++pos;
      continue;
    }
    if (c == U':' || c == U'.' || c == U'-' || c == U'/') {
      if (f.count == 0 || last) raise_type_mismatch();
      const bool date = c == U'-' || c == U'/' || c == locale.date_separator;
      if (date && ++date_separators > 2) raise_type_mismatch();
      mark_last(date ? DateFields::date_separator : DateFields::time_separator);
    } else if (c == U',') {
      if (last) raise_type_mismatch();
    } else if (!is_text_space(c)) {
      raise_type_mismatch();
    }
    ++pos;
  }
  if (f.count == 0 || (f.count == 1 && !f.any_marked())) raise_type_mismatch();
  return f;
}

// The parts keep the numbers as written: a range is checked before anything narrows them (an
// hour of 65548 is no 12 o'clock, a year of 75535 no 9999). Deliberately unlike the platform's
// own conversion, which keeps 16 bits of each and reads "1/1/67535" as 1999-01-01.
struct TimeOfDay {
  std::uint64_t hour = 0, minute = 0, second = 0;
};

// Which fields are the time: hours and minutes (and seconds) joined by time separators before
// or after the date's fields, or one hour marked AM/PM. Leaves `f` with the date's fields from
// `offset`; throws when the fields fit no pattern.
TimeOfDay split_time(DateFields& f, int& offset) {
  TimeOfDay t;
  unsigned pattern = 0;
  for (int i = 0; i < 5; ++i) pattern |= (f.flags[i] & DateFields::time_separator) << i;
  const auto fail_if = [](bool failed) {
    if (failed) raise_type_mismatch();
  };
  offset = 0;
  switch (pattern) {
    case 0x1:  // hh:mm before a date of none, two or three fields
      fail_if(f.count > 3 && (f.marked(2) || f.marked(3) || f.marked(4)));
      fail_if(f.count != 2 && f.count != 4 && f.count != 5);
      t = {f.values[0], f.values[1], 0};
      f.count -= 2;
      offset = 2;
      return t;
    case 0x3:  // hh:mm:ss before a date
      fail_if(f.count > 4 && (f.marked(3) || f.marked(4) || f.marked(5)));
      fail_if(f.count != 3 && f.count != 5 && f.count != 6);
      t = {f.values[0], f.values[1], f.values[2]};
      f.count -= 3;
      offset = 3;
      return t;
    case 0x4:  // a two-field date, then hh:mm
      fail_if(f.count != 4 || f.marked(0) || f.marked(1));
      t = {f.values[2], f.values[3], 0};
      f.count -= 2;
      return t;
    case 0xC:  // a two-field date, then hh:mm:ss
      fail_if(f.count != 5 || f.marked(0) || f.marked(1));
      t = {f.values[2], f.values[3], f.values[4]};
      f.count -= 3;
      return t;
    case 0x18:  // a three-field date, then hh:mm:ss
      fail_if(f.marked(0) || f.marked(1) || f.marked(2));
      t = {f.values[3], f.values[4], f.values[5]};
      f.count -= 3;
      return t;
    case 0x0:
      if (f.count == 1 && f.any_marked()) {  // an hour alone
        t.hour = f.values[0];
        f.count = 0;
        return t;
      }
      fail_if(f.count > 4 || (f.count < 3 && f.any_marked()));
      if (f.count == 3) {
        if (f.marked(0)) {  // an hour, then a two-field date
          t.hour = f.values[0];
          f.count = 2;
          offset = 1;
          return t;
        }
        if (f.marked(2)) {  // a two-field date, then an hour
          t.hour = f.values[2];
          f.count = 2;
          return t;
        }
        fail_if(f.any_marked());
      } else if (f.count == 4) {
        f.count = 3;
        if (f.marked(0)) {
          t.hour = f.values[0];
          offset = 1;
        } else {
          fail_if(!f.marked(3));
          t.hour = f.values[3];
        }
        return t;
      }
      [[fallthrough]];
    case 0x8:  // a three-field date, then hh:mm (or a date alone)
      fail_if((f.count == 2 && f.any_marked()) ||
              (f.count == 5 && (f.marked(0) || f.marked(1) || f.marked(2))) || f.count == 4 ||
              f.count == 6);
      t = {f.values[3], f.values[4], 0};
      if (f.count == 5) f.count -= 2;
      return t;
    default:
      raise_type_mismatch();
  }
}

bool is_leap(std::uint64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool is_real_day(std::uint64_t day, std::uint64_t month, std::uint64_t year) {
  static constexpr std::array<std::uint64_t, 13> kDays{0,  31, 28, 31, 30, 31, 30,
                                                       31, 31, 30, 31, 30, 31};
  if (day == 0 || month == 0 || month > 12) return false;
  return day <= kDays[month] || (month == 2 && day == 29 && is_leap(year));
}

struct DayMonthYear {
  std::uint64_t day, month, year;
};

enum DateOrders : unsigned { mdy = 1, ymd = 2, ydm = 4, dmy = 8, myd = 16 };

// The first of the allowed orders that makes a real day of (a, b, c): first the locale's own
// order, then those that keep its day-before-month or month-before-day, then any.
std::optional<DayMonthYear> try_orders(std::uint64_t a, std::uint64_t b, std::uint64_t c,
                                       unsigned allowed, DateOrder order) {
  const bool day_first = order == DateOrder::day_month_year;
  for (int attempt = 0; allowed != 0 && attempt < 3; ++attempt) {
    unsigned trying = allowed;
    if (attempt == 0) trying &= day_first ? dmy : mdy;
    if (attempt == 1) trying &= day_first ? ~unsigned{mdy | ydm | myd} : ~unsigned{dmy | ydm};
    const std::array<std::pair<unsigned, DayMonthYear>, 5> candidates{{
        {mdy, {b, a, c}},
        {ymd, {c, b, a}},
        {ydm, {b, c, a}},
        {dmy, {a, b, c}},
        {myd, {c, a, b}},
    }};
    for (const auto& [bit, date] : candidates) {
      if (!(trying & bit)) continue;
      if (is_real_day(date.day, date.month, date.year)) return date;
      allowed &= ~bit;
    }
  }
  return std::nullopt;
}

// The date the numbers make. Two numbers are a day and a month of `current_year`, failing that
// a month and a year, on the month's first day.
DayMonthYear order_date(const DateFields& f, int offset, DateOrder order, int current_year) {
  if (f.count == 0) return {30, 12, 1899};
  const std::uint64_t a = f.values[offset], b = f.values[offset + 1];
  const std::uint64_t c =
      f.count == 2 ? static_cast<std::uint64_t>(current_year) : f.values[offset + 2];
  unsigned allowed = 0;
  if (f.flags[offset] & DateFields::month_name) {
    allowed = mdy;
  } else if (f.flags[offset + 1] & DateFields::month_name) {
    allowed = dmy | (f.count > 2 ? unsigned{ymd} : 0u);
  } else if (f.count > 2 && (f.flags[offset + 2] & DateFields::month_name)) {
    allowed = ydm;
  } else {
    allowed = mdy | dmy | (f.count > 2 ? unsigned{ymd | ydm} : 0u);
  }
  if (const auto date = try_orders(a, b, c, allowed, order)) return *date;
  if (f.count == 2) {
    if (const auto date = try_orders(a, b, 1, ymd | myd, order)) return *date;
  }
  raise_type_mismatch();
}

// Years below 100 are read in the window 1950..2049, as the platform's text conversion does.
std::uint64_t full_year(std::uint64_t year) {
  if (year < 50) return 2000 + year;
  if (year < 100) return 1900 + year;
  return year;
}

DateSerial platform_date(std::u32string_view text, Locale locale, int current_year) {
  const LocaleText& words = locale_text(locale);
  DateFields fields = read_fields(text, words);
  int offset = 0;
  TimeOfDay time = split_time(fields, offset);
  const DayMonthYear date = order_date(fields, offset, words.date_order, current_year);
  if (time.hour > 23 || time.minute > 59 || time.second > 59) raise_type_mismatch();
  if (time.hour < 12 && (fields.flags_all & DateFields::pm)) time.hour += 12;
  if (time.hour == 12 && (fields.flags_all & DateFields::am)) time.hour = 0;
  const std::uint64_t year = full_year(date.year);
  if (year < 100 || year > 9999) raise_type_mismatch();
  DateSerial serial = make_date(static_cast<long long>(year), static_cast<long long>(date.month),
                                static_cast<long long>(date.day));
  // The time of day counts away from day 0 on either side, added part by part.
  const double sign = serial < 0 ? -1.0 : 1.0;
  serial += static_cast<double>(time.hour) / 24.0 * sign;
  serial += static_cast<double>(time.minute) / 1440.0 * sign;
  serial += static_cast<double>(time.second) / 86400.0 * sign;
  return serial;
}

}  // namespace

DateSerial date_from_text(std::string_view text, Locale locale, int current_year) {
  try {
    return platform_date(text_characters(text), locale, current_year);
  } catch (const RuntimeError&) {
    // The ISO form with a 'T' before the time, as the control writes dates itself, or without
    // the seconds.
    if (const auto iso = parse_iso_date_text(text)) return *iso;
    throw;
  }
}

}  // namespace dnovar
