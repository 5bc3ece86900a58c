#include "platform/int16.h"

#include <gtest/gtest.h>

#include "tests/unit/error_of.h"

#include <functional>
#include <limits>

#include "platform/error.h"
#include "platform/number_text.h"

namespace dnovar {
namespace {

using testing_support::error_of;

TEST(Int16, EveryEdgeOverflows) {
  struct Case {
    const char* what;
    std::function<void()> action;
    int error;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"32767 + 1", [] { add16(32767, 1); }, 6},
      {"-32768 - 1", [] { sub16(-32768, 1); }, 6},
      {"200 * 200", [] { mul16(200, 200); }, 6},
      {"-(-32768)", [] { neg16(-32768); }, 6},
      {"32767.5", [] { round_to_i16(32767.5); }, 6},
      {"-32768.5", [] { round_to_i16(-32768.5); }, 0},
      {"-32769", [] { checked_i16(-32769); }, 6},
      {"NaN", [nan] { round_to_i16(nan); }, 6},
      {"\"40000\"", [] { i16_from_text("40000"); }, 6},
      {"\"-32768\"", [] { i16_from_text("-32768"); }, 0},
      {"32767 + 0", [] { add16(32767, 0); }, 0},
      {"-181 * 181", [] { mul16(-181, 181); }, 0},
      {"2^31 into 32 bits", [] { round_to_i32(2147483648.0); }, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(error_of(c.action), c.error) << c.what;
}

TEST(Int16, RoundsHalfToEven) {
  const std::pair<double, Int16> cases[] = {
      {2.5, 2},    {3.5, 4},  {-2.5, -2},       {-3.5, -4},         {0.5, 0},          {1.5, 2},
      {2.4999, 2}, {-0.5, 0}, {32766.5, 32766}, {-32768.5, -32768}, {-32767.5, -32768}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(round_to_i16(value), expected) << value;
}

TEST(Int16, BooleansAreMinusOne) {
  EXPECT_EQ(to_bool16(true), -1);
  EXPECT_EQ(to_bool16(false), 0);
}

TEST(NumberText, ReadsTheLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},         {"-", 0},   {"abc", 0}, {"  -7abc", -7},  {"12.5.3", 12.5}, {"+.5", 0.5},
      {"-.25", -0.25}, {"5.", 5},  {".", 0},   {"  42  ", 42},   {"0007", 7},      {"1 2", 1},
      {"--5", 0},      {"\t5", 0}, {"-0", 0},  {"2030\r", 2030},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(leading_number(text), expected) << '"' << text << '"';
}

TEST(NumberText, HugeNumbersOverflowTinyOnesReadAsZero) {
  EXPECT_EQ(error_of([] { leading_number(std::string(400, '9')); }), 6);
  EXPECT_EQ(leading_number("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(leading_number(std::string(400, '0') + "5"), 5.0);
}

TEST(NumberText, WritesPlainDecimal) {
  EXPECT_EQ(format_integer(0), "0");
  EXPECT_EQ(format_integer(-32768), "-32768");
  EXPECT_EQ(format_integer(31), "31");
  EXPECT_EQ(format_shortest(36525), "36525");
  EXPECT_EQ(format_shortest(-1.25), "-1.25");
  EXPECT_EQ(format_shortest(0.1), "0.1");
}

}  // namespace
}  // namespace dnovar
