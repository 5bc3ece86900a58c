// libFuzzer target for the property-bag reader: any input either reads as a bag that formats and
// reads back the same, or raises error 321. Anything else (a crash, another exception, a
// sanitizer report) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "com/bag_file.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const dnovar::MemoryBag bag = dnovar::parse_bag(text, "fuzz input");
    if (!(dnovar::parse_bag(dnovar::format_bag(bag)) == bag)) std::abort();
  } catch (const dnovar::RuntimeError& error) {
    if (error.number() != 321) std::abort();
  }
  return 0;
}
