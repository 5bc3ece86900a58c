#include "apps/dnovar/component_commands.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "apps/common/control_registration.h"
#include "apps/common/run_guarded.h"
#include "apps/installed/installed_module.h"
#include "component/file_io.h"
#include "component/module.h"
#include "component/registry.h"
#include "host/type_library.h"
#include "platform/error.h"

namespace dnovar::app {

namespace {

struct Locations {
  std::optional<std::string> module;
  std::optional<std::string> registry;
};

void add_location_options(CLI::App* command, Locations& where) {
  command->add_option("--module", where.module,
                      "The control's module (default: the one installed, or built, with dnovar)");
  command->add_option("--registry", where.registry,
                      "Registry file (default: $DNOVAR_REGISTRY, else the user's registry)");
}

// A named file; an empty name given on the command line is an error, not the default.
std::filesystem::path named_file(const std::optional<std::string>& name, const char* what) {
  if (name && name->empty()) {
    throw RuntimeError(
        error_number::invalid_argument,
        std::string("Invalid procedure call or argument: ") + what + " names no file");
  }
  return name ? std::filesystem::path(*name) : std::filesystem::path();
}

// Runs a module entry point against the chosen registry and names what it entered or removed.
void run_entry(const Locations& where, Registration what) {
  std::filesystem::path registry = named_file(where.registry, "--registry");
  if (registry.empty()) registry = Registry::default_path();
  std::filesystem::path module = named_file(where.module, "--module");
  module = module.empty() ? program_control_module().path : std::filesystem::absolute(module);
  ModuleCache modules;
  const std::vector<std::string> names = run_registration(modules, module, registry, what);
  const char* done = what == Registration::add ? "registered " : "unregistered ";
  if (names.empty()) std::cout << done << "nothing in " << path_text(registry) << '\n';
  for (const std::string& name : names)
    std::cout << done << name << " in " << path_text(registry) << '\n';
}

}  // namespace

void add_component_commands(CLI::App& app) {
  auto where = std::make_shared<Locations>();
  auto* do_register =
      app.add_subcommand("register", "Register the control's module (DllRegisterServer)");
  add_location_options(do_register, *where);
  do_register->callback([where] { run_guarded([&] { run_entry(*where, Registration::add); }); });

  auto* do_unregister =
      app.add_subcommand("unregister", "Remove what registration entered (DllUnregisterServer)");
  add_location_options(do_unregister, *where);
  do_unregister->callback(
      [where] { run_guarded([&] { run_entry(*where, Registration::remove); }); });

  auto* typelib = app.add_subcommand("typelib", "Print the type library DnovarLib");
  typelib->callback([] { std::cout << describe(dnovar_type_library()); });
}

}  // namespace dnovar::app
