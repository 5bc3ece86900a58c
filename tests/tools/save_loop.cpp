// Saves a bag file over and over, for the test that kills saves: save number N holds
// "Generation" = N and a filler large enough that each write takes a moment.
//   dnovar_save_loop FILE FIRST COUNT   saves generations FIRST .. FIRST + COUNT - 1
//   dnovar_save_loop FILE check         loads the file and prints its generation
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "component/bag_file.h"
#include "platform/error.h"

namespace {

dnovar::MemoryBag generation_bag(int generation) {
  dnovar::MemoryBag bag;
  bag.set("Generation", dnovar::Variant::i4(generation));
  bag.set("Filler",
          dnovar::Variant::string(std::string(60000, static_cast<char>('a' + generation % 26))));
  return bag;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string_view(argv[2]) == "check") {
      const dnovar::MemoryBag bag = dnovar::load_bag_file(argv[1]);
      const dnovar::Variant* generation = bag.find("Generation");
      if (generation == nullptr || !(bag == generation_bag(generation->to_i4()))) {
        std::cerr << argv[1] << " is no bag this program saved\n";
        return 1;
      }
      std::cout << generation->to_i4() << '\n';
      return 0;
    }
    if (argc != 4) {
      std::cerr << "usage: dnovar_save_loop FILE FIRST COUNT | dnovar_save_loop FILE check\n";
      return 2;
    }
    const int first = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int generation = first; generation < first + count; ++generation)
      dnovar::save_bag_file(generation_bag(generation), argv[1]);
  } catch (const dnovar::RuntimeError& error) {
    std::cerr << "error " << error.number() << ' ' << error.what() << '\n';
    return 1;
  }
  return 0;
}
