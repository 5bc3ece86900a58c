// libFuzzer target for the property-bag reader and writer. Any input either reads as a bag that
// formats and reads back the same, or raises error 321. The input also builds a bag directly
// (keys and strings of any bytes and length, up to some thousand properties): the writer either
// refuses it with error 5 or writes text that reads back equal. Anything else (a crash, another
// exception, a sanitizer report) is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "component/bag_file.h"
#include "platform/error.h"

namespace {

// Chunks split at 0xFF: the first byte picks the type and how often the value repeats, the rest
// up to 0xFE is the key and after it the value.
dnovar::MemoryBag built_from(std::string_view bytes) {
  dnovar::MemoryBag bag;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\xff'), bytes.size());
    std::string_view chunk = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (chunk.empty()) continue;
    const auto selector = static_cast<unsigned char>(chunk.front());
    chunk.remove_prefix(1);
    const std::size_t split = std::min(chunk.find('\xfe'), chunk.size());
    const std::string key(chunk.substr(0, split));
    const std::string_view value = chunk.substr(std::min(split + 1, chunk.size()));
    const std::size_t repeat = 1u << (selector >> 4);  // up to 32768 copies
    std::int64_t number = 0;
    for (const char c : value) number = number * 31 + static_cast<unsigned char>(c);
    switch (selector % 5) {
      case 0: {
        std::string text;
        for (std::size_t i = 0; i < repeat && text.size() < 200000; ++i) text += value;
        bag.set(key, dnovar::Variant::string(std::move(text)));
        break;
      }
      case 1:
        bag.set(key, dnovar::Variant::i4(static_cast<dnovar::Int32>(number)));
        break;
      case 2:
        bag.set(key, dnovar::Variant::r8(static_cast<double>(number) / 7.0));
        break;
      case 3:
        bag.set(key, dnovar::Variant::date(static_cast<double>(number % 3600000) / 1.1 - 657434));
        break;
      default:
        // A few hundred at most: each key is a search through the bag, and the count limit is
        // the unit tests' part (BagFile.TheWriterKeepsToTheReadersLimits).
        for (std::size_t i = 0; i < std::min<std::size_t>(repeat, 300); ++i)
          bag.set(key + std::to_string(i), dnovar::Variant::boolean(i % 2 == 0));
        break;
    }
  }
  return bag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const dnovar::MemoryBag bag = dnovar::parse_bag(text, "fuzz input");
    if (!(dnovar::parse_bag(dnovar::format_bag(bag)) == bag)) std::abort();
  } catch (const dnovar::RuntimeError& error) {
    if (error.number() != 321) std::abort();
  }
  const dnovar::MemoryBag built = built_from(text);
  std::string written;
  try {
    written = dnovar::format_bag(built);
  } catch (const dnovar::RuntimeError& error) {
    if (error.number() != 5) std::abort();
    return 0;
  }
  // What the writer wrote, the reader must take back whole; 321 here is a finding too.
  if (!(dnovar::parse_bag(written) == built)) std::abort();
  return 0;
}
