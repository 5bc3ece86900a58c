#include "apps/dnovar/script_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "apps/installed/installed_module.h"
#include "apps/script/script_host.h"
#include "component/file_io.h"
#include "platform/locale.h"
#ifdef DNOVAR_WITH_QT
#include "apps/script/qt/qt_script_backend.h"
#endif
#ifdef DNOVAR_WITH_WIN32
#include "apps/script/win32/win32_script_backend.h"
#endif
#ifdef DNOVAR_WITH_OLE
#include "apps/script/ole/ole_script_backend.h"
#endif

namespace dnovar::app {

namespace {

struct Backend {
  std::string_view name;
  std::unique_ptr<script::ScriptBackend> (*make)();
};

// The backends this build has; the first is the default.
const std::vector<Backend>& backends() {
  static const std::vector<Backend> built = {
      {"headless", script::make_headless_backend},
#ifdef DNOVAR_WITH_QT
      {"qt", script::make_qt_backend},
#endif
#ifdef DNOVAR_WITH_WIN32
      {"win32", script::make_win32_backend},
#endif
#ifdef DNOVAR_WITH_OLE
      {"ole", script::make_ole_backend},
#endif
  };
  return built;
}

// "headless (default), qt or win32"
std::string backend_list() {
  std::string list;
  for (std::size_t i = 0; i < backends().size(); ++i) {
    if (i > 0) list += i + 1 == backends().size() ? " or " : ", ";
    list += backends()[i].name;
    if (i == 0) list += " (default)";
  }
  return list;
}

// The whole script file. Raises 75 naming it when it cannot be read: missing, a folder (which
// opens, on some systems, and reads as nothing), not readable.
std::string read_script(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error))
    raise_file_access(file, "cannot read the script",
                      std::make_error_code(std::errc::is_a_directory).message());
  // Binary: a script is read byte for byte on every platform (in text mode Windows would end it
  // at a Ctrl+Z that a `key` line types).
  std::ifstream stream(file, std::ios::binary);
  if (!stream) raise_file_access(file, "cannot read the script", std::strerror(errno));
  std::ostringstream contents;
  contents << stream.rdbuf();
  if (stream.bad()) raise_file_access(file, "cannot read the script", std::strerror(errno));
  return contents.str();
}

int run_script(const std::string& backend_name, const std::string& file,
               const std::string& rules_name, const std::string& locale_name) {
  const CalendarRules rules = *rules_from_name(rules_name);  // the option admits only the names
  if (rules != CalendarRules::Control && backend_name == "ole") {
    // The ActiveX control keeps its own rules whoever hosts it: its output would not be theirs.
    std::cerr << "--rules " << rules_name << " is not available on the ole backend\n";
    return 2;
  }
  const std::optional<Locale> locale = locale_named(locale_name);
  if (!locale) {
    std::cerr << "unknown locale: " << locale_name << " (cs-CZ or en-US)\n";
    return 2;
  }
  std::unique_ptr<script::ScriptBackend> backend;
  for (const Backend& candidate : backends()) {
    if (candidate.name == backend_name) backend = candidate.make();
  }
  if (!backend) {
    std::cerr << "unknown backend: " << backend_name << '\n';
    return 2;
  }
  std::istringstream text;
  std::istream* in = &std::cin;
  if (file != "-") {
    text.str(read_script(file));
    in = &text;
  }
  TemporaryRegistry registry;
  script::ScriptHost host(*backend, std::cout,
                          {[&registry] { return registry.path(); }, program_control_module()});
  host.set_rules(rules);
  host.set_locale(*locale);
  return host.run(*in, std::cerr);
}

}  // namespace

void add_script_command(CLI::App& app) {
  auto* command = app.add_subcommand(
      "script", "Run a script of host actions and user input (see docs/script.md)");
  auto backend = std::make_shared<std::string>(backends().front().name);
  auto file = std::make_shared<std::string>();
  command->add_option("--backend", *backend, "The toolkit: " + backend_list())
      ->capture_default_str();
  auto rules = std::make_shared<std::string>("control");
  command
      ->add_option("--rules", *rules,
                   "Holidays and week numbers: control (the control's own) or current (today's "
                   "Czech calendar: Gregorian Easter, Good Friday, ISO weeks)")
      ->check(CLI::IsMember({"control", "current"}))
      ->capture_default_str();
  auto locale = std::make_shared<std::string>("en-US");
  command
      ->add_option("--locale", *locale,
                   "How text given for numbers, dates and booleans is read: cs-CZ or en-US")
      ->capture_default_str();
  command->add_option("file", *file, "Script file, - for standard input")->required();
  command->callback(
      [backend, file, rules, locale] { std::exit(run_script(*backend, *file, *rules, *locale)); });
}

}  // namespace dnovar::app
