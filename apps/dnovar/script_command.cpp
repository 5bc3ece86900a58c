#include "apps/dnovar/script_command.h"

#include <fstream>
#include <iostream>
#include <memory>

#include "apps/common/component_paths.h"
#include "apps/script/script_host.h"
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

int run_script(const std::string& backend_name, const std::string& file) {
  std::unique_ptr<script::ScriptBackend> backend;
  if (backend_name == "headless") {
    backend = script::make_headless_backend();
#ifdef DNOVAR_WITH_QT
  } else if (backend_name == "qt") {
    backend = script::make_qt_backend();
#endif
#ifdef DNOVAR_WITH_WIN32
  } else if (backend_name == "win32") {
    backend = script::make_win32_backend();
#endif
#ifdef DNOVAR_WITH_OLE
  } else if (backend_name == "ole") {
    backend = script::make_ole_backend();
#endif
  } else {
    std::cerr << "unknown backend: " << backend_name << '\n';
    return 2;
  }
  std::ifstream stream;
  std::istream* in = &std::cin;
  if (file != "-") {
    // Binary: a script is read byte for byte on every platform (in text mode Windows would end
    // it at a Ctrl+Z that a `key` line types).
    stream.open(file, std::ios::binary);
    if (!stream) {
      std::cerr << "cannot read " << file << '\n';
      return 2;
    }
    in = &stream;
  }
  TemporaryRegistry registry;
  script::ScriptHost host(*backend, std::cout,
                          {[&registry] { return registry.path(); }, control_module_path()});
  return host.run(*in, std::cerr);
}

}  // namespace

void add_script_command(CLI::App& app) {
  auto* command = app.add_subcommand(
      "script", "Run a script of host actions and user input (see docs/script.md)");
  auto backend = std::make_shared<std::string>("headless");
  auto file = std::make_shared<std::string>();
  command->add_option("--backend", *backend, "headless (default), qt, win32 or ole (where built)")
      ->capture_default_str();
  command->add_option("file", *file, "Script file, - for standard input")->required();
  command->callback([backend, file] { std::exit(run_script(*backend, *file)); });
}

}  // namespace dnovar::app
