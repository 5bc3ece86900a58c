#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dnovar {
namespace {

TEST(Utf8, DecodesValidTextAndTakesEveryOtherByteForItsOwnCharacter) {
  struct Case {
    std::string text;
    std::vector<int> points;
  };
  const Case cases[] = {
      {"a1", {'a', '1'}},
      {"\xc3\xa9", {0xE9}},                            // é
      {"\xef\xbb\xbf", {0xFEFF}},                      // not a byte-order mark to skip
      {"\xf0\x9f\x98\x80", {0x1F600}},                 // 4 bytes, beyond U+FFFF
      {"\xf4\x8f\xbf\xbf", {0x10FFFF}},                // the last code point
      {"\xf4\x90\x80\x80", {0xF4, 0x90, 0x80, 0x80}},  // beyond U+10FFFF
      {"\xed\xa0\x80", {0xED, 0xA0, 0x80}},            // a surrogate
      {"\xc0\xaf", {0xC0, 0xAF}},                      // overlong "/"
      {"\xe2\x82", {0xE2, 0x82}},                      // cut short
      {"\xff\x80", {0xFF, 0x80}},                      // no sequence at all
      {"\xf0\x9f\x98", {0xF0, 0x9F, 0x98}},            // a cut 4-byte sequence
  };
  for (const Case& c : cases) {
    EXPECT_EQ(code_points(c.text), c.points) << c.text;
    std::string encoded;
    for (const int point : c.points) encoded += utf8_of(point);
    EXPECT_EQ(valid_utf8(c.text), encoded) << c.text;
    EXPECT_EQ(code_points(valid_utf8(c.text)), c.points) << "valid text decodes to itself";
  }
  EXPECT_EQ(utf8_of(0xD800), "");
  EXPECT_EQ(utf8_of(0x110000), "");
}

}  // namespace
}  // namespace dnovar
