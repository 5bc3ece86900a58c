#include "component/bag_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <sstream>

#include "platform/error.h"

namespace dnovar {
namespace {

struct Failure {
  int number = 0;
  std::string message;
};

Failure failure_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return {error.number(), error.what()};
  }
  return {};
}

TEST(MemoryBag, WriteWithDefaultStoresOnlyWhatDiffers) {
  struct Case {
    Variant value;
    Variant default_value;
    bool stored;
  };
  const Case cases[] = {
      {Variant::i2(0), Variant::i2(0), false},
      {Variant::i4(65535), Variant::i4(65535), false},
      {Variant::i2(1), Variant::i4(1), false},  // the same number in another type
      {Variant::boolean(true), Variant::boolean(true), false},
      {Variant::boolean(false), Variant::boolean(true), true},
      {Variant::string("Dnovar1"), Variant::string("Dnovar1"), false},
      {Variant::string(""), Variant::string("Dnovar1"), true},
      {Variant::string("dnovar1"), Variant::string("Dnovar1"), true},  // text compares exactly
      {Variant::date(0), Variant::date(36525), true},
      {Variant::date(36525), Variant::date(36525), false},
      {Variant(), Variant::string(""), true},
      {Variant::i4(static_cast<Int32>(0x8000000F)), Variant::i4(65535), true},
  };
  for (const Case& c : cases) {
    MemoryBag bag;
    bag.set("Key", Variant::string("old"));
    bag.write("Key", c.value, c.default_value);
    EXPECT_EQ(bag.find("Key") != nullptr, c.stored)
        << c.value.to_string() << " / " << c.default_value.to_string();
    const Variant read = bag.read("Key", c.default_value);
    EXPECT_TRUE(read.same_value(c.value)) << c.value.to_string();
    if (c.stored) {
      EXPECT_EQ(read, c.value) << "a stored value keeps its type";
    }
  }
}

TEST(MemoryBag, KeysIgnoreCaseAndKeepTheirFirstPlaceAndSpelling) {
  MemoryBag bag;
  bag.write("Caption", Variant::string("A"), Variant::string(""));
  bag.write("Dlow", Variant::i2(5), Variant::i2(0));
  bag.write("DLOW", Variant::i2(6), Variant::i2(0));
  bag.write("Enabled", Variant::boolean(false), Variant::boolean(true));
  ASSERT_EQ(bag.size(), 3u);
  EXPECT_EQ(bag.entries()[1], (MemoryBag::Entry{"Dlow", Variant::i2(6)}));
  EXPECT_EQ(bag.read("dlow", Variant::i2(0)), Variant::i2(6));
  EXPECT_EQ(bag.read("Dhigh", Variant::i2(0)), Variant::i2(0));
  bag.write("caption", Variant::string(""), Variant::string(""));
  bag.write("Caption", Variant::string("B"), Variant::string(""));
  EXPECT_EQ(bag.entries().back().key, "Caption") << "a removed key comes back last";
}

MemoryBag every_type() {
  MemoryBag bag;
  bag.set("Caption", Variant::string(" Kalendář \"1\"\n"));
  bag.set("Empty", Variant());
  bag.set("Dlow", Variant::i2(-32768));
  bag.set("Dhigh", Variant::i2(32767));
  bag.set("VyberColor", Variant::i4(std::numeric_limits<Int32>::min()));
  bag.set("Max", Variant::i4(std::numeric_limits<Int32>::max()));
  bag.set("Ratio", Variant::r8(0.1));
  bag.set("Svatky", Variant::boolean(false));
  bag.set("Enabled", Variant::boolean(true));
  bag.set("Datum", Variant::date(45413));
  bag.set("First", Variant::date(-657434));
  bag.set("Evening", Variant::date(45413.75));
  bag.set("BeforeZero", Variant::date(-1.25));
  bag.set("NegativeNoon", Variant::date(-0.5));  // the same moment as 0.5, another value
  bag.set("Fraction", Variant::date(45413.0 + 1.0 / 3.0 + 1e-7));
  return bag;
}

TEST(BagFile, EveryTypeRoundTripsExactly) {
  const MemoryBag bag = every_type();
  const std::string text = format_bag(bag);
  const MemoryBag back = parse_bag(text);
  EXPECT_EQ(back, bag);
  EXPECT_EQ(format_bag(back), text);
}

TEST(BagFile, WritesTheDocumentedForm) {
  MemoryBag bag;
  bag.set("Caption", Variant::string("Dnovar1"));
  bag.set("Datum", Variant::date(45413));
  bag.set("Evening", Variant::date(-0.5));
  bag.set("Dlow", Variant::i2(5));
  bag.set("Svatky", Variant::boolean(false));
  EXPECT_EQ(format_bag(bag), R"({
  "format": "dnovar-bag",
  "properties": [
    {
      "key": "Caption",
      "type": "string",
      "value": "Dnovar1"
    },
    {
      "key": "Datum",
      "type": "date",
      "value": "2024-05-01"
    },
    {
      "key": "Evening",
      "serial": -0.5,
      "type": "date",
      "value": "1899-12-30T12:00:00"
    },
    {
      "key": "Dlow",
      "type": "i2",
      "value": 5
    },
    {
      "key": "Svatky",
      "type": "bool",
      "value": false
    }
  ],
  "version": 1
}
)");
}

TEST(BagFile, RejectsHostileAndMalformedText) {
  const std::string head = R"({"format":"dnovar-bag","version":1,"properties":[)";
  const auto one = [&](const std::string& property) { return head + property + "]}"; };
  struct Case {
    std::string text;
    const char* says;
  };
  const Case cases[] = {
      {"", "not valid JSON"},
      {head, "not valid JSON"},  // truncated
      {one(R"({"key":"A","type":"i2","value":1})").substr(0, 60), "not valid JSON"},
      {"[]", "not a JSON object"},
      {R"({"format":"dnovar-registry","version":1,"properties":[]})", "not a dnovar-bag file"},
      {R"({"format":"dnovar-bag","version":2,"properties":[]})", "unsupported version 2"},
      {R"({"format":"dnovar-bag","version":1})", "missing \"properties\""},
      {R"({"format":"dnovar-bag","version":1,"properties":{}})", "\"properties\" is not a list"},
      {R"({"format":"dnovar-bag","version":1,"properties":[],"extra":0})",
       "unknown member \"extra\""},
      {R"({"format":"dnovar-bag","format":"dnovar-bag","version":1,"properties":[]})",
       "\"format\" appears twice"},
      {one("7"), "property 1: not an object"},
      {one(R"({"key":"A","type":"i2"})"), "property 1: missing \"value\""},
      {one(R"({"key":"A","type":"i2","value":1,"note":""})"), "unknown member \"note\""},
      {one(R"({"key":"","type":"i2","value":1})"), "empty key"},
      {one(R"({"key":7,"type":"i2","value":1})"), "key is not a string"},
      {one(R"({"key":")" + std::string(256, 'k') + R"(","type":"i2","value":1})"),
       "key is longer than 255"},
      {one(R"({"key":"A","type":"i8","value":1})"), "property 1 (\"A\"): unknown type \"i8\""},
      {one(R"({"key":"A","type":"i2","value":32768})"), "i2 value 32768 is out of range"},
      {one(R"({"key":"A","type":"i2","value":-32769})"), "i2 value -32769 is out of range"},
      {one(R"({"key":"A","type":"i2","value":1.5})"), "i2 value is not an integer"},
      {one(R"({"key":"A","type":"i2","value":"1"})"), "i2 value is not an integer"},
      {one(R"({"key":"A","type":"i4","value":2147483648})"), "i4 value 2147483648 is out of range"},
      {one(R"({"key":"A","type":"i4","value":18446744073709551615})"), "out of range"},
      {one(R"({"key":"A","type":"r8","value":1e400})"), "not valid JSON"},
      {one(R"({"key":"A","type":"r8","value":"NaN"})"), "r8 value is not a finite number"},
      {one(R"({"key":"A","type":"bool","value":1})"), "bool value is not true or false"},
      {one(R"({"key":"A","type":"empty","value":0})"), "empty value is not null"},
      {one(R"({"key":"A","type":"string","value":null})"), "string value is not a string"},
      {one(R"({"key":"A","type":"string","value":")" + std::string(65537, 's') + R"("})"),
       "string value is longer than 65536"},
      {one(R"({"key":"A","type":"date","value":"2023-02-29"})"), "\"2023-02-29\" is no date"},
      {one(R"({"key":"A","type":"date","value":"0099-12-31"})"), "is no date"},
      {one(R"({"key":"A","type":"date","value":"NaN"})"), "is no date"},
      {one(R"({"key":"A","type":"date","value":45413})"), "date value is not a string"},
      {one(R"({"key":"A","type":"date","value":"2024-05-01","serial":45414})"), "is not the date"},
      {one(R"({"key":"A","type":"date","value":"2024-05-01","serial":1e300})"),
       "date serial is no date"},
      {one(R"({"key":"A","type":"i2","value":1,"serial":1})"), "only a date has a serial"},
      {one(R"({"key":"Dlow","type":"i2","value":1},{"key":"DLOW","type":"i2","value":2})"),
       "property 2 (\"DLOW\"): the key appears twice"},
      {one(R"({"key":"A","type":"string","value":"\ud800"})"), "not valid JSON"},
      {one("{\"key\":\"A\",\"type\":\"string\",\"value\":\"\xc3\x28\"}"), "not valid JSON"},
      {std::string(100000, '['), "nested deeper than a property bag is"},
      {one(R"({"key":"A","type":"string","value":[[1]]})"), "nested deeper"},
      {std::string(kMaxBagBytes + 1, ' '), "larger than 1048576 bytes"},
      {R"({"format":"dnovar-bag","version":1,"properties":[]})" + std::string("\0junk\xff", 6),
       "a NUL byte"},
      {std::string("\0", 1), "a NUL byte"},
  };
  for (const Case& c : cases) {
    const Failure failure = failure_of([&] { parse_bag(c.text, "test.bag"); });
    EXPECT_EQ(failure.number, 321) << c.text.substr(0, 200);
    EXPECT_NE(failure.message.find(c.says), std::string::npos) << failure.message;
    EXPECT_EQ(failure.message.rfind("Invalid file format: test.bag: ", 0), 0u) << failure.message;
  }
}

// Valid documents, then the same with bytes flipped, inserted, removed or cut: the reader either
// takes the text (and what it took formats and reads back the same) or raises 321, never more.
TEST(BagFile, SurvivesRandomAndMutatedInput) {
  const std::string seeds[] = {
      format_bag(every_type()), format_bag(MemoryBag{}),
      R"({"format":"dnovar-bag","version":1,"properties":[{"key":"A","type":"i2","value":1}]})"};
  const std::string alphabet = "{}[]\",:0123456789-.eEtrufalsnbdgi2485\\u ";
  std::mt19937 random(20240501);
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    std::string text = seeds[static_cast<std::size_t>(round) % std::size(seeds)];
    const int mutations = 1 + static_cast<int>(random() % 4);
    for (int m = 0; m < mutations && !text.empty(); ++m) {
      const std::size_t at = random() % text.size();
      switch (random() % 5) {
        case 0:
          text[at] = static_cast<char>(random() % 256);
          break;
        case 1:
          text[at] = alphabet[random() % alphabet.size()];
          break;
        case 2:
          text.insert(at, 1, alphabet[random() % alphabet.size()]);
          break;
        case 3:
          text.erase(at, 1 + random() % 8);
          break;
        case 4:
          text.resize(at);
          break;
      }
    }
    if (round % 10 == 0) {
      text.resize(random() % 64);
      for (char& c : text) c = static_cast<char>(random() % 256);
    }
    try {
      const MemoryBag bag = parse_bag(text);
      ++accepted;
      EXPECT_EQ(parse_bag(format_bag(bag)), bag) << text;
    } catch (const RuntimeError& error) {
      ASSERT_EQ(error.number(), 321) << error.what() << "\n" << text;
    }
  }
  EXPECT_GT(accepted, 0) << "some mutations (in a string, a digit) stay valid";
}

// A bag of `count` properties "K0001"... whose strings are `value_bytes` long.
MemoryBag wide_bag(std::size_t count, std::size_t value_bytes) {
  MemoryBag bag;
  bag.set("Datum", Variant::date(45413));
  char key[16];
  for (std::size_t i = 1; bag.size() < count; ++i) {
    std::snprintf(key, sizeof key, "K%04zu", i);
    bag.set(key, Variant::string(std::string(value_bytes, 'v')));
  }
  return bag;
}

// The writer holds itself to the reader's limits: what it writes reads back equal, and what it
// cannot write within them it refuses (5) before a file is touched.
TEST(BagFile, TheWriterKeepsToTheReadersLimits) {
  MemoryBag long_key;
  long_key.set(std::string(kMaxBagKeyBytes + 1, 'k'), Variant::i2(1));
  MemoryBag empty_key;
  empty_key.set("", Variant::i2(1));
  MemoryBag long_string;
  long_string.set("Caption", Variant::string(std::string(70000, 's')));
  struct Case {
    const char* name;
    MemoryBag bag;
    bool writable;
  };
  const Case cases[] = {
      // Fits the limit only without indentation (970,991 bytes compact, over 1 MiB indented).
      {"4000 strings of 200 bytes", wide_bag(4001, 200), true},
      {"4096 properties", wide_bag(kMaxBagProperties, 1), true},
      {"4098 properties", wide_bag(kMaxBagProperties + 2, 1), false},
      {"4096 strings of 260 bytes", wide_bag(4096, 260), false},
      {"a string at the limit", wide_bag(2, kMaxBagStringBytes), true},
      {"a 70000-byte string", std::move(long_string), false},
      {"a key of 256 bytes", std::move(long_key), false},
      {"an empty key", std::move(empty_key), false},
  };
  for (const Case& c : cases) {
    std::string text;
    const Failure failure = failure_of([&] { text = format_bag(c.bag); });
    if (!c.writable) {
      EXPECT_EQ(failure.number, 5) << c.name;
      EXPECT_NE(failure.message.find("a property bag cannot hold"), std::string::npos)
          << failure.message;
      continue;
    }
    ASSERT_EQ(failure.number, 0) << c.name << ": " << failure.message;
    EXPECT_LE(text.size(), kMaxBagBytes) << c.name;
    EXPECT_EQ(parse_bag(text), c.bag) << c.name;
  }
}

// Random bags near and beyond every limit: the writer either refuses (5) or writes text the
// reader reads back equal.
TEST(BagFile, WhateverTheWriterWritesTheReaderReadsBackEqual) {
  std::mt19937 random(20240520);
  const auto some_text = [&](std::size_t bytes) {
    static const std::string pieces[] = {"a", "\"", "\\", "\n", "\x01", "é", "😀", "\x7f"};
    std::string text;
    while (text.size() < bytes) text += pieces[random() % std::size(pieces)];
    return text;
  };
  const std::size_t sizes[] = {0, 1, 200, 254, 255, 256, 65535, 65536, 65537, 300000};
  int written = 0;
  for (int round = 0; round < 30; ++round) {
    MemoryBag bag;
    const std::size_t count = random() % 4 == 0 ? 4090 + random() % 10 : random() % 40;
    for (std::size_t i = 0; i < count; ++i) {
      // Now and then a key or a string at or beyond its limit, so that most bags stay writable.
      const bool odd_key = random() % (count > 100 ? 4000 : 60) == 0;
      const std::size_t key_bytes = odd_key ? sizes[random() % 6] : 1 + random() % 12;
      std::string key = some_text(key_bytes);
      switch (random() % 6) {
        case 0:
          bag.set(key, Variant::string(some_text(count < 100 && random() % 4 == 0
                                                     ? sizes[random() % std::size(sizes)]
                                                     : random() % 300)));
          break;
        case 1:
          bag.set(key, Variant::i4(static_cast<Int32>(random())));
          break;
        case 2:
          bag.set(key, Variant::r8(std::ldexp(static_cast<double>(random()),
                                              static_cast<int>(random() % 2000) - 1000)));
          break;
        case 3:
          bag.set(key, Variant::date(static_cast<double>(random() % 25000000) / 7.0 - 657434));
          break;
        case 4:
          bag.set(key, Variant::boolean(random() % 2 == 0));
          break;
        default:
          bag.set(key, Variant());
          break;
      }
    }
    std::string text;
    try {
      text = format_bag(bag);
    } catch (const RuntimeError& error) {
      ASSERT_EQ(error.number(), 5) << error.what();
      continue;
    }
    ++written;
    EXPECT_EQ(parse_bag(text), bag) << "round " << round;
  }
  EXPECT_GT(written, 10);
}

class BagFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("dnovar_bag_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::size_t files_in_folder() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(folder_)) ++count;
    return count;
  }
  std::filesystem::path folder_;
};

TEST_F(BagFileOnDisk, SavesAndLoadsAndAFailedSaveLosesNothing) {
  const std::filesystem::path path = folder_ / "form.bag";
  save_bag_file(every_type(), path);
  EXPECT_EQ(load_bag_file(path), every_type());

  MemoryBag bad = every_type();
  bad.set("Caption", Variant::string("\xff\xfe"));
  EXPECT_EQ(failure_of([&] { save_bag_file(bad, path); }).number, 5);
  MemoryBag infinite;
  infinite.set("Ratio", Variant::r8(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(failure_of([&] { save_bag_file(infinite, path); }).number, 5);
  MemoryBag no_date;
  no_date.set("Datum", Variant::date(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ(failure_of([&] { save_bag_file(no_date, path); }).number, 5);
  EXPECT_EQ(load_bag_file(path), every_type());

  // The target is a folder: the rename fails after the new file was written.
  const std::filesystem::path folder_target = folder_ / "taken";
  std::filesystem::create_directories(folder_target / "inside");
  EXPECT_EQ(failure_of([&] { save_bag_file(every_type(), folder_target); }).number, 75);
  EXPECT_EQ(files_in_folder(), 2u) << "no temporary file is left behind";
}

TEST_F(BagFileOnDisk, ASaveMakesNoFolder) {
  std::ofstream(folder_ / "plain") << "a file, no folder";
  std::filesystem::create_directories(folder_ / "there");
  const struct {
    const char* file;
    const char* missing;  // the folder the message names; null: the save works
  } cases[] = {
      {"a/form.bag", "a"},         {"a/b/form.bag", "a/b"}, {"plain/form.bag", "plain"},
      {"there/form.bag", nullptr}, {"form.bag", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::filesystem::path path = folder_ / c.file;
    const Failure failure = failure_of([&] { save_bag_file(every_type(), path); });
    if (c.missing == nullptr) {
      EXPECT_EQ(failure.number, 0);
      EXPECT_EQ(load_bag_file(path), every_type());
      continue;
    }
    EXPECT_EQ(failure.number, 76);
    EXPECT_NE(failure.message.find((folder_ / c.missing).make_preferred().string()),
              std::string::npos)
        << failure.message;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "a")) << "nothing is created";
  }
}

TEST_F(BagFileOnDisk, ASaveBeyondTheLimitsFailsAndKeepsTheOldFile) {
  const std::filesystem::path path = folder_ / "form.bag";
  const MemoryBag near_the_limit = wide_bag(4001, 200);
  save_bag_file(near_the_limit, path);  // written compactly, under 1 MiB
  EXPECT_EQ(load_bag_file(path), near_the_limit);
  EXPECT_EQ(failure_of([&] { save_bag_file(wide_bag(kMaxBagProperties + 2, 1), path); }).number, 5);
  EXPECT_EQ(load_bag_file(path), near_the_limit);
  EXPECT_EQ(files_in_folder(), 1u);
}

TEST_F(BagFileOnDisk, LoadingReportsMissingAndOversizedFiles) {
  EXPECT_EQ(failure_of([&] { load_bag_file(folder_ / "none.bag"); }).number, 53);
  const std::filesystem::path big = folder_ / "big.bag";
  std::ofstream(big) << std::string(kMaxBagBytes + 1, ' ');
  const Failure failure = failure_of([&] { load_bag_file(big); });
  EXPECT_EQ(failure.number, 321);
  EXPECT_NE(failure.message.find(big.string()), std::string::npos);
  EXPECT_EQ(failure_of([&] { load_bag_file(folder_); }).number, 75);
}

}  // namespace
}  // namespace dnovar
