#include "core/holiday_names.h"

#include <array>

namespace dnovar {

std::string_view holiday_name(int holiday) {
  static constexpr std::array<std::string_view, 14> kNames = {
      "",
      "Den obnovy samostatného českého státu, Nový rok",
      "Svátek práce",
      "Den vítězství",
      "Den slovanských věrozvěstů Cyrila a Metoděje",
      "Den upálení mistra Jana Husa",
      "Den české státnosti",
      "Den vzniku samostatného československého státu",
      "Den boje za svobodu a demokracii",
      "Štědrý den",
      "1. svátek vánoční",
      "2. svátek vánoční",
      "Velký pátek",
      "Velikonoční pondělí",
  };
  if (holiday < 0 || holiday >= static_cast<int>(kNames.size())) return {};
  return kNames[static_cast<std::size_t>(holiday)];
}

}  // namespace dnovar
