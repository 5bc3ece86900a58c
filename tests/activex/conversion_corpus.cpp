#include "tests/activex/conversion_corpus.h"

#include <array>
#include <random>
#include <string_view>

namespace dnovar::testing {

namespace {

class Generator {
 public:
  Generator(Locale locale, std::uint32_t seed) : locale_(locale), random_(seed) {}

  std::string next() {
    switch (below(9)) {
      case 0:
        return integer();
      case 1:
        return decimal();
      case 2:
        return with_exponent();
      case 3:
        return radix();
      case 4:
        return short_date() + maybe_time();
      case 5:
        return named_date() + maybe_time();
      case 6:
        return iso_date() + maybe_time();
      case 7:
        return boolean();
      default:
        return scramble();
    }
  }

 private:
  bool czech() const { return locale_ == Locale::cs_CZ; }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(int percent) { return below(100) < percent; }
  template <std::size_t N>
  std::string_view pick(const std::array<std::string_view, N>& choices) {
    return choices[static_cast<std::size_t>(below(static_cast<int>(N)))];
  }

  std::string digits(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + below(10));
    return text;
  }

  // Blanks, signs, parentheses and the currency symbol around a number, mostly well formed.
  std::string dress(std::string number) {
    static constexpr std::array<std::string_view, 6> blanks{"", "", " ", "  ", "\t", "\u00A0"};
    const std::string currency = czech() ? " K\u010D" : "$";
    if (chance(10)) number = czech() ? number + currency : currency + number;
    switch (below(8)) {
      case 0:
        number = "-" + number;
        break;
      case 1:
        number = "+" + number;
        break;
      case 2:
        number += "-";
        break;
      case 3:
        number = "(" + number + ")";
        break;
      case 4:
        number = "--" + number;
        break;
      default:
        break;
    }
    return std::string(pick(blanks)) + number + std::string(pick(blanks));
  }

  std::string integer() {
    std::string number = digits(1 + below(6));
    if (chance(20) && number.size() > 3) {
      const std::string separator = czech() ? (chance(50) ? "\u00A0" : " ") : ",";
      number.insert(number.size() - 3, separator);
    }
    return dress(number);
  }

  std::string decimal() {
    const std::string point = czech() ? "," : ".";
    const int whole = below(6);
    const int fraction = 1 + below(9);
    std::string number = (whole == 0 && chance(50) ? std::string() : digits(std::max(1, whole))) +
                         point + digits(fraction);
    if (chance(10)) number = std::string(czech() ? "." : ",") + digits(2);  // the other point
    return dress(number);
  }

  std::string with_exponent() {
    // Scales within ten powers of ten: a double's nearest value to such a decimal is one
    // rounding away on every platform.
    const std::string point = czech() ? "," : ".";
    std::string mantissa = digits(1 + below(4));
    const int fraction = chance(40) ? 1 + below(4) : 0;
    if (fraction > 0) mantissa += point + digits(fraction);
    const bool negative = chance(40);
    std::string exponent = std::to_string(negative ? below(10 - fraction) : below(7));
    if (chance(3)) exponent = "";
    if (chance(3)) exponent = "400";  // beyond any double
    const std::string mark = chance(50) ? "e" : "E";
    return dress(mantissa + mark + (negative ? "-" : chance(30) ? "+" : "") + exponent);
  }

  std::string radix() {
    static constexpr std::string_view hex = "0123456789abcdefABCDEF";
    const bool octal = chance(30);
    std::string number = octal ? (chance(50) ? "&O" : "&o") : (chance(50) ? "&H" : "&h");
    const int count = 1 + below(octal ? 11 : 8);
    for (int i = 0; i < count; ++i)
      number += octal ? static_cast<char>('0' + below(chance(95) ? 8 : 10))
                      : hex[static_cast<std::size_t>(below(static_cast<int>(hex.size())))];
    return chance(70) ? number : dress(number);
  }

  std::string year() {
    switch (below(5)) {
      case 0:
        return digits(2);
      case 1:
        return "00" + digits(2);
      default:
        return std::to_string(1 + below(9999));
    }
  }
  std::string day() { return std::to_string(below(33)); }
  std::string month() { return std::to_string(below(14)); }

  std::string short_date() {
    static constexpr std::array<std::string_view, 5> separators{"/", "-", ".", ". ", " "};
    const std::string separator(czech() && chance(50) ? ". " : pick(separators));
    const std::string a = chance(50) ? day() : month();
    const std::string b = chance(50) ? day() : month();
    if (chance(15)) return a + separator + b;  // the year left to the current one
    return a + separator + b + separator + year();
  }

  std::string month_name() {
    static constexpr std::array<std::string_view, 14> english{
        "January", "Feb", "march",   "April", "MAY",      "Jun",      "July",
        "Aug",     "Sep", "October", "Nov",   "December", "Septembe", "Mayo"};
    static constexpr std::array<std::string_view, 15> czech_names{
        "leden",         "\u00FAnor",     "b\u0159ezen",
        "duben",         "kv\u011Bten",   "\u010Derven",
        "\u010Dvc",      "srpen",         "z\u00E1\u0159\u00ED",
        "\u0159\u00EDj", "LISTOPAD",      "pro",
        "kv\u011Btna",   "\u010Dervence", "\u010Dervenec"};
    return std::string(czech() && chance(85) ? pick(czech_names) : pick(english));
  }

  std::string named_date() {
    static constexpr std::array<std::string_view, 4> english_days{"Monday, ", "Fri ", "", ""};
    static constexpr std::array<std::string_view, 4> czech_days{"pond\u011Bl\u00ED ", "p\u00E1 ",
                                                                "", ""};
    const std::string weekday(czech() ? pick(czech_days) : pick(english_days));
    switch (below(3)) {
      case 0:
        return weekday + month_name() + " " + day() + ", " + year();
      case 1:
        return weekday + day() + (czech() ? ". " : " ") + month_name() + " " + year();
      default:
        return year() + " " + month_name() + " " + day();
    }
  }

  std::string iso_date() {
    std::string date = std::to_string(100 + below(9900)) + "-" + month() + "-" + day();
    if (chance(10)) date += "T" + digits(2) + ":" + digits(2) + ":" + digits(2);
    return date;
  }

  std::string maybe_time() {
    if (chance(40)) return "";
    const std::string separator = czech() && chance(30) ? "." : ":";
    std::string time = std::to_string(below(26)) + separator + std::to_string(below(62));
    if (chance(40)) time += separator + std::to_string(below(62));
    if (chance(30)) {
      static constexpr std::array<std::string_view, 4> english{" AM", " PM", "am", " pm"};
      static constexpr std::array<std::string_view, 3> czech_marks{" dop.", " odp.", " AM"};
      time += czech() ? pick(czech_marks) : pick(english);
    }
    return chance(80) ? " " + time : time + " ";
  }

  std::string boolean() {
    static constexpr std::array<std::string_view, 10> words{
        "True", "false", "TRUE", "fAlSe", "#TRUE#", "#FALSE#", " True", "Tru", "yes", "#true#"};
    return std::string(pick(words));
  }

  // Characters every reader above gives a meaning to, in random order (exponents stay with
  // with_exponent, whose scales are bounded).
  std::string scramble() {
    static constexpr std::array<std::string_view, 18> pieces{
        "1", "0",  "9", "-", "+", ".",       ",",   " ",      "/",
        ":", "&H", "(", ")", "$", "K\u010D", "May", "\u00A0", "5"};
    std::string text;
    const int count = 1 + below(7);
    for (int i = 0; i < count; ++i) text += pick(pieces);
    return text;
  }

  Locale locale_;
  std::mt19937 random_;
};

}  // namespace

std::vector<std::string> conversion_corpus(Locale locale, std::uint32_t seed, std::size_t count) {
  Generator generator(locale, seed);
  std::vector<std::string> corpus;
  corpus.reserve(count);
  while (corpus.size() < count) corpus.push_back(generator.next());
  return corpus;
}

}  // namespace dnovar::testing
