#include "platform/variant.h"

#include <gtest/gtest.h>

#include "tests/unit/error_of.h"

#include <functional>
#include <limits>

#include "platform/error.h"

namespace dnovar {
namespace {

using testing_support::error_of;

TEST(Variant, ConvertsToText) {
  const std::pair<Variant, const char*> cases[] = {
      {Variant(), ""},
      {Variant::i2(-5), "-5"},
      {Variant::i4(65535), "65535"},
      {Variant::r8(1.5), "1.5"},
      {Variant::date(36525), "1999-12-31"},
      {Variant::date(36525.75), "1999-12-31T18:00:00"},
      {Variant::boolean(true), "True"},
      {Variant::string(" Kalendář "), " Kalendář "},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(value.to_string(), text);
}

TEST(Variant, ConvertsToIntegersWithOverflowAndMismatch) {
  struct Case {
    Variant value;
    int error;
    Int16 expected;
  };
  const Case cases[] = {
      {Variant(), 0, 0},
      {Variant::i4(40000), 6, 0},
      {Variant::i4(-32768), 0, -32768},
      {Variant::r8(2.5), 0, 2},
      {Variant::boolean(true), 0, -1},
      {Variant::string("12"), 0, 12},
      {Variant::string(" -7 "), 0, -7},
      {Variant::string("12x"), 13, 0},
      {Variant::string(""), 13, 0},
      {Variant::string("40000"), 6, 0},
      {Variant::r8(std::numeric_limits<double>::quiet_NaN()), 6, 0},
      {Variant::date(45413), 6, 0},
  };
  for (const Case& c : cases) {
    Int16 result = 0;
    EXPECT_EQ(error_of([&] { result = c.value.to_i2(); }), c.error) << c.value.to_string();
    if (c.error == 0) {
      EXPECT_EQ(result, c.expected) << c.value.to_string();
    }
  }
}

TEST(Variant, ConvertsToDatesAndBooleans) {
  EXPECT_EQ(Variant::string("2024-05-01").to_date(), 45413);
  EXPECT_EQ(Variant::i2(2).to_date(), 2);
  EXPECT_EQ(Variant().to_date(), 0);
  EXPECT_EQ(error_of([] { Variant::string("zítra").to_date(); }), 13);
  EXPECT_EQ(error_of([] { Variant::r8(1e12).to_date(); }), 6);
  EXPECT_EQ(error_of([] { Variant::r8(std::numeric_limits<double>::quiet_NaN()).to_date(); }), 6);
  EXPECT_EQ(Variant::string("TRUE").to_bool(), kTrue);
  EXPECT_EQ(Variant::string("0").to_bool(), kFalse);
  EXPECT_EQ(Variant::i4(7).to_bool(), kTrue);
  EXPECT_EQ(Variant().to_bool(), kFalse);
  EXPECT_EQ(error_of([] { Variant::string("ano").to_bool(); }), 13);
}

TEST(Variant, SameValueComparesNumbersAcrossTypes) {
  EXPECT_TRUE(Variant::i4(65535).same_value(Variant::i2(-1)) == false);
  EXPECT_TRUE(Variant::i2(1).same_value(Variant::i4(1)));
  EXPECT_TRUE(Variant::boolean(true).same_value(Variant::i2(-1)));
  EXPECT_TRUE(Variant::date(36525).same_value(Variant::date(36525)));
  EXPECT_FALSE(Variant::string("1").same_value(Variant::i2(1)));
  EXPECT_TRUE(Variant::string("").same_value(Variant::string("")));
  EXPECT_FALSE(Variant().same_value(Variant::i2(0)));
}

}  // namespace
}  // namespace dnovar
