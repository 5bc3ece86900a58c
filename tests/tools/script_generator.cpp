// Writes random but valid scripts (docs/script.md) for the backend-agreement test: the same seed
// gives the same scripts on every machine. Usage: dnovar_script_generator SEED COUNT; the scripts
// follow one another, each opening with `# script N` and its own `today` and instance.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/utf8.h"

namespace {

using dnovar::utf8_of;

// A small generator of our own: std::uniform_int_distribution differs between libraries.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 2 + 1) {}
  std::uint32_t next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
  }

 private:
  std::uint64_t state_;
};

// Mostly what the boxes accept (digits, minus, Enter, Backspace), and the characters the backends
// once disagreed on: 4-byte UTF-8, U+FEFF, DEL, Tab, control characters, invisible ones.
std::string typed_text(Random& random) {
  const std::vector<std::string> pieces = {"0",
                                           "1",
                                           "2",
                                           "5",
                                           "9",
                                           "-",
                                           "\\r",
                                           "\\r",
                                           "\b",
                                           "\\t",
                                           "a",
                                           " ",
                                           "\x7f",
                                           "\x01",
                                           "\x1b",
                                           "\x1a",
                                           utf8_of(0xFEFF),
                                           utf8_of(0x1F600),
                                           utf8_of(0x200B),
                                           utf8_of(0x85),
                                           utf8_of(0xE9),
                                           utf8_of(0x10348),
                                           "\xff",
                                           "\xed\xa0\x80",
                                           "\xf4\x90\x80\x80",
                                           "\xc0\xaf",
                                           "\\\\",
                                           "\\\""};
  std::string text;
  const int count = random.between(1, 6);
  for (int i = 0; i < count; ++i) {
    text += random.below(3) == 0 ? random.pick(pieces) : std::to_string(random.below(10));
  }
  return text;
}

std::string date(Random& random) {
  static const std::vector<std::string> dates = {"2024-05-20", "2024-02-29", "1999-12-31",
                                                 "2000-01-01", "2023-12-31", "9999-12-31",
                                                 "0100-01-01", "2024-03-31"};
  return random.pick(dates);
}

std::string value_for(Random& random, const std::string& property) {
  if (property == "Datum") return date(random);
  if (property == "Svatky" || property == "Enabled") return random.below(2) ? "true" : "false";
  if (property == "Caption") return "\"" + typed_text(random) + "\"";
  if (property == "VyberColor")
    return random.pick(std::vector<std::string>{"0x0000FFFF", "255", "0", "0x8000000F", "7:i4"});
  return std::to_string(random.between(-3, 40));
}

std::string command(Random& random) {
  static const std::vector<std::string> properties = {"Datum",   "Dtyd",   "Dtyd1", "Svatky",
                                                      "Dlow",    "Dhigh",  "Dplus", "VyberColor",
                                                      "Caption", "Enabled"};
  switch (random.below(21)) {
    case 0:
    case 1:
      return "key txtYear \"" + typed_text(random) + "\"";
    case 2:
      return "key txtDplus \"" + typed_text(random) + "\"";
    case 3:
      return "key cmbMonth \"" + typed_text(random) + "\"";
    case 4:
      return "text " + random.pick(std::vector<std::string>{"txtYear", "txtDplus"}) + " \"" +
             typed_text(random) + "\"";
    case 5:
    case 6:
      return "spin UpDown" + std::to_string(random.between(1, 3)) +
             (random.below(2) ? " up" : " down");
    case 7:
      return "select cmbMonth " + std::to_string(random.below(12));
    case 8:
      return "click " + random.pick(std::vector<std::string>{"cmdDnes", "cmdDplus", "cmdZavri"});
    case 9: {
      const int cell = random.below(37);
      const int button = random.pick(std::vector<int>{1, 2});
      return "mouse down " + std::to_string(cell) + " " + std::to_string(button) + "\nmouse move " +
             std::to_string(random.below(37)) + " " + std::to_string(button) + "\nmouse up " +
             std::to_string(random.below(37)) + " " + std::to_string(button);
    }
    case 10:
      return "dblclick " + std::to_string(random.below(37));
    case 11: {
      const std::string& property = random.pick(properties);
      return "put " + property + " " + value_for(random, property);
    }
    case 12:
      return "get " + random.pick(properties);
    case 13:
      return random.below(2) ? "call Aktualizuj"
                             : "call Aktualizuj " + std::to_string(random.below(3));
    case 14:
      return random.pick(std::vector<std::string>{"focus in", "focus out", "focus grid"});
    case 15:
      return "show";
    case 16:
      return "state";
    case 17:
      return "grid";
    case 18:
      return "save";
    case 19: {
      const std::string modifiers =
          random.pick(std::vector<std::string>{"", "", "shift+", "ctrl+shift+", "ctrl+"});
      return "gridkey " + modifiers +
             random.pick(std::vector<std::string>{"up", "down", "left", "right", "home", "end",
                                                  "enter", "space"}) +
             "\ncursor";
    }
    default:
      return "events";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: dnovar_script_generator SEED COUNT\n";
    return 2;
  }
  Random random(std::strtoull(argv[1], nullptr, 10));
  const int count = std::atoi(argv[2]);
  for (int script = 0; script < count; ++script) {
    std::cout << "# script " << script << "\ntoday " << date(random) << '\n';
    switch (random.below(3)) {
      case 0:
        std::cout << "start " << date(random) << '\n';
        break;
      case 1:
        std::cout << "new\n";
        break;
      default:
        std::cout << "load Datum=" << date(random) << " Dlow=" << random.between(0, 9)
                  << " Dhigh=" << random.between(0, 20) << '\n';
        break;
    }
    const int lines = random.between(10, 30);
    for (int line = 0; line < lines; ++line) std::cout << command(random) << '\n';
    std::cout << "show\nstate\nevents\n";
  }
  return 0;
}
