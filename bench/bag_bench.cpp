// Reading a bag file's text: a host opens a document with one bag per control; a bag may hold up
// to kMaxBagProperties keys. The time per key should not grow with the number of keys.
#include <benchmark/benchmark.h>

#include <string>

#include "component/bag_file.h"

namespace {

// A bag of `count` properties, every type, keys as a host might name them.
std::string bag_text(int count) {
  dnovar::MemoryBag bag;
  for (int i = 0; i < count; ++i) {
    const std::string key = "Property" + std::to_string(i);
    switch (i % 4) {
      case 0:
        bag.set(key, dnovar::Variant::string("text " + std::to_string(i)));
        break;
      case 1:
        bag.set(key, dnovar::Variant::i4(i * 7919));
        break;
      case 2:
        bag.set(key, dnovar::Variant::date(45413.0 + i));
        break;
      default:
        bag.set(key, dnovar::Variant::boolean(i % 8 == 3));
        break;
    }
  }
  return dnovar::format_bag(bag);
}

void BM_ParseBag(benchmark::State& state) {
  const std::string text = bag_text(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(dnovar::parse_bag(text));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseBag)->Arg(8)->Arg(512)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace
