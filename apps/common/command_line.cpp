#include "apps/common/command_line.h"

namespace dnovar::app {

void add_version_flag(CLI::App& app, const std::string& program) {
  app.set_version_flag("--version", program + " " + DNOVAR_VERSION, "Print the version and exit");
}

int exit_status_after(const CLI::App& app, const CLI::ParseError& stop) {
  const int status = app.exit(stop);
  return status == static_cast<int>(CLI::ExitCodes::Success) ? 0 : 2;
}

std::optional<int> parse_command_line(CLI::App& app, int argc, const char* const* argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& stop) {
    return exit_status_after(app, stop);
  }
  return std::nullopt;
}

}  // namespace dnovar::app
