#include "apps/render/render_command.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "apps/common/run_guarded.h"
#include "apps/render/render_picture.h"
#include "platform/date_text.h"

namespace dnovar::app {

namespace {

struct RenderArguments {
  std::string out;
  std::string date;
  int dlow = 0;
  int dhigh = 0;
  bool no_holidays = false;
  std::string colour;
  std::string rules = "control";
};

[[noreturn]] void fail_usage(const std::string& message) {
  std::cerr << "render: " << message << '\n';
  std::exit(2);
}

RenderSettings settings_from(const RenderArguments& args) {
  RenderSettings settings;
  if (!args.date.empty()) {
    const std::optional<DateSerial> date = parse_date_text(args.date);
    if (!date) fail_usage("--date: a date YYYY-MM-DD was expected, not " + args.date);
    settings.date = *date;
  }
  settings.dlow = static_cast<Int16>(args.dlow);
  settings.dhigh = static_cast<Int16>(args.dhigh);
  settings.holidays = !args.no_holidays;
  settings.rules = *rules_from_name(args.rules);  // the option admits only the two names
  if (!args.colour.empty()) {
    settings.highlight = parse_highlight_colour(args.colour);
    if (!settings.highlight)
      fail_usage("--color: an RGB colour 0x00BBGGRR from 1 to 0xFFFFFF was expected, not " +
                 args.colour + " (the control ignores 0 and system colours)");
  }
  return settings;
}

void render(const RenderArguments& args) {
  const RenderSettings settings = settings_from(args);
  bool written = false;
  run_guarded([&] { written = write_calendar_png(settings, args.out); });
  if (!written) {
    std::cerr << "render: cannot write " << args.out << '\n';
    std::exit(1);
  }
}

}  // namespace

void add_render_command(CLI::App& app) {
  auto* command = app.add_subcommand("render", "Write a PNG picture of the control");
  auto args = std::make_shared<RenderArguments>();
  command->add_option("--out", args->out, "The PNG file to write")->required();
  command->add_option("--date", args->date,
                      "The date the calendar starts on, YYYY-MM-DD (default today)");
  const auto int16_range = CLI::Range(-32768, 32767);
  command->add_option("--dlow", args->dlow, "First day of the highlighted interval")
      ->check(int16_range);
  command->add_option("--dhigh", args->dhigh, "Last day of the highlighted interval")
      ->check(int16_range);
  command->add_flag("--no-holidays", args->no_holidays, "Do not mark public holidays in bold");
  command->add_option("--color", args->colour,
                      "Highlight colour 0x00BBGGRR, hex (0x...) or decimal");
  command
      ->add_option("--rules", args->rules,
                   "Holidays and week numbers: control (the control's own) or current (today's "
                   "Czech calendar: Gregorian Easter, Good Friday, ISO weeks)")
      ->check(CLI::IsMember({"control", "current"}))
      ->capture_default_str();
  command->callback([args] {
    render(*args);
    std::exit(0);
  });
}

}  // namespace dnovar::app
