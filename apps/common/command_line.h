// How every program reads its command line with CLI11. `--help` and `--version` print and exit
// with status 0; whatever CLI11 refuses prints CLI11's message and exits with status 2, the
// status of every other failure of the programs (CLI11's own codes, 105 and up, would tell a
// caller nothing).
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace dnovar::app {

// Adds `--version`, which prints "PROGRAM VERSION" (the project's version).
void add_version_flag(CLI::App& app, const std::string& program);

// Prints what CLI11 prints for `stop` (the help, the version, or the message of an argument
// error) and returns the status to exit with: 0 after help or version, else 2.
int exit_status_after(const CLI::App& app, const CLI::ParseError& stop);

// Parses the arguments, running the callback of each command named. The status to exit with when
// parsing ended the program (help, version, an argument error); nothing when the program goes on.
// Other exceptions (a command's failure) pass through.
std::optional<int> parse_command_line(CLI::App& app, int argc, const char* const* argv);

}  // namespace dnovar::app
