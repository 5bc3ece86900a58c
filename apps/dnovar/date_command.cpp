#include "apps/dnovar/date_command.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "apps/common/run_guarded.h"
#include "platform/date.h"
#include "platform/number_text.h"
#include "platform/variant.h"

namespace dnovar::app {

namespace {

void print_build(const std::vector<std::string>& parts) {
  const DateSerial serial =
      make_date(Variant::string(parts[0]).to_i4(), Variant::string(parts[1]).to_i4(),
                Variant::string(parts[2]).to_i4());
  std::cout << format_shortest(serial) << '\n';
}

void print_parts(const std::string& serial_text) {
  const DateParts parts = date_parts(Variant::string(serial_text).to_r8());
  char line[64];
  std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d %d", parts.date.year,
                parts.date.month, parts.date.day, parts.hour, parts.minute, parts.second,
                parts.weekday);
  std::cout << line << '\n';
}

}  // namespace

void add_date_command(CLI::App& app) {
  auto* date = app.add_subcommand("date", "Build and take apart automation dates");
  date->require_subcommand(1);

  auto* build = date->add_subcommand("build", "Print the serial of (year, month, day), normalised");
  auto parts = std::make_shared<std::vector<std::string>>();
  build->add_option("year month day", *parts, "Year, month and day")->expected(3)->required();
  build->callback([parts] { run_guarded([&] { print_build(*parts); }); });

  auto* take_apart =
      date->add_subcommand("parts", "Print YYYY-MM-DD HH:MM:SS weekday (Monday = 1)");
  auto serial = std::make_shared<std::string>();
  take_apart->add_option("serial", *serial, "Days since 1899-12-30, time of day as the fraction")
      ->required();
  take_apart->callback([serial] { run_guarded([&] { print_parts(*serial); }); });
}

}  // namespace dnovar::app
