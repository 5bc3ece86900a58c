#include "apps/dnovar/component_commands.h"

#include <iostream>
#include <memory>
#include <string>

#include "apps/common/component_paths.h"
#include "apps/common/control_registration.h"
#include "apps/common/run_guarded.h"
#include "com/file_io.h"
#include "com/module.h"
#include "com/registry.h"
#include "host/type_library.h"

namespace dnovar::app {

namespace {

struct Locations {
  std::string module;
  std::string registry;
};

void add_location_options(CLI::App* command, Locations& where) {
  command->add_option("--module", where.module,
                      "The control's module (default: the one built beside dnovar)");
  command->add_option("--registry", where.registry,
                      "Registry file (default: $DNOVAR_REGISTRY, else the user's registry)");
}

// Runs a module entry point against the chosen registry.
void run_entry(const Locations& where, Registration what) {
  const std::filesystem::path registry =
      where.registry.empty() ? Registry::default_path() : std::filesystem::path(where.registry);
  const std::filesystem::path module =
      where.module.empty() ? control_module_path() : std::filesystem::absolute(where.module);
  ModuleCache modules;
  run_registration(modules, module, registry, what);
  std::cout << (what == Registration::add ? "registered " : "unregistered ") << kDnovarProgId
            << " in " << path_text(registry) << '\n';
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
