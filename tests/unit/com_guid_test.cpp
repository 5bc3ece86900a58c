#include "component/guid.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace dnovar {
namespace {

TEST(Guid, ParsesAndFormatsTheClassicText) {
  struct Case {
    const char* text;
    const char* formatted;  // upper case
    Guid expected;
  };
  const Case cases[] = {
      {"{00020400-0000-0000-C000-000000000046}", "{00020400-0000-0000-C000-000000000046}",
       Guid{0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}},
      {"{66504301-be0f-101a-8bbb-00aa00300cab}", "{66504301-BE0F-101A-8BBB-00AA00300CAB}",
       Guid{0x66504301, 0xBE0F, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}}},
      {"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}",
       Guid{0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}},
      {"{00000000-0000-0000-0000-000000000000}", "{00000000-0000-0000-0000-000000000000}", Guid{}},
  };
  for (const Case& c : cases) {
    const auto parsed = parse_guid(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.expected) << c.text;
    EXPECT_EQ(format_guid(*parsed), c.formatted);
    EXPECT_EQ(parse_guid(format_guid(*parsed)), parsed);
  }
}

TEST(Guid, RejectsMalformedText) {
  const char* cases[] = {
      "",
      "00020400-0000-0000-C000-000000000046",     // no braces
      "{00020400-0000-0000-C000-000000000046",    // no closing brace
      "{00020400-0000-0000-C000-00000000004}",    // short
      "{00020400-0000-0000-C000-0000000000460}",  // long
      "{00020400-0000-0000-C0000-00000000046}",   // dash moved
      "{0002040G-0000-0000-C000-000000000046}",   // not hex
      "{00020400+0000-0000-C000-000000000046}",
      "{ 0020400-0000-0000-C000-000000000046}",
      "[00020400-0000-0000-C000-000000000046]",
  };
  for (const char* text : cases) EXPECT_FALSE(parse_guid(text).has_value()) << text;
}

TEST(Guid, BytesFollowTheLittleEndianLayout) {
  constexpr Guid guid = guid_literal("{01020304-0506-0708-090A-0B0C0D0E0F10}");
  constexpr std::array<std::uint8_t, 16> expected = {4, 3,  2,  1,  6,  5,  8,  7,
                                                     9, 10, 11, 12, 13, 14, 15, 16};
  static_assert(guid_bytes(guid) == expected);
  EXPECT_EQ(guid_bytes(guid), expected);
}

TEST(Guid, OrdersAndHashesByEveryByte) {
  std::vector<Guid> guids;
  for (int field = 0; field < 11; ++field) {
    Guid guid;
    if (field == 0) guid.data1 = 1;
    if (field == 1) guid.data2 = 1;
    if (field == 2) guid.data3 = 1;
    if (field >= 3) guid.data4[static_cast<std::size_t>(field - 3)] = 1;
    guids.push_back(guid);
  }
  std::unordered_set<Guid> distinct(guids.begin(), guids.end());
  distinct.insert(Guid{});
  EXPECT_EQ(distinct.size(), guids.size() + 1);
  for (const Guid& guid : guids) {
    EXPECT_LT(Guid{}, guid);
    EXPECT_FALSE(guid.is_null());
  }
  EXPECT_LT(guids[1], guids[0]);  // data1 outranks data2
}

}  // namespace
}  // namespace dnovar
