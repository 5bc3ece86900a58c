#include "apps/dnovar/component_commands.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "apps/common/component_paths.h"
#include "apps/dnovar/run_guarded.h"
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

// Runs a module entry point against the chosen registry, which the entry points find in the
// environment.
void run_entry(const Locations& where, bool do_register) {
  const std::filesystem::path registry = !where.registry.empty()
                                             ? std::filesystem::path(where.registry)
                                         : std::getenv("DNOVAR_REGISTRY") != nullptr
                                             ? std::filesystem::path(std::getenv("DNOVAR_REGISTRY"))
                                             : Registry::default_path();
  const std::filesystem::path module =
      where.module.empty() ? control_module_path() : std::filesystem::absolute(where.module);
  ::setenv("DNOVAR_REGISTRY", registry.c_str(), 1);
  const LoadedModule loaded = LoadedModule::open(module);
  check_status(do_register ? loaded.register_server() : loaded.unregister_server());
  std::cout << (do_register ? "registered " : "unregistered ") << kDnovarProgId << " in "
            << registry.string() << '\n';
}

}  // namespace

void add_component_commands(CLI::App& app) {
  auto where = std::make_shared<Locations>();
  auto* do_register =
      app.add_subcommand("register", "Register the control's module (DllRegisterServer)");
  add_location_options(do_register, *where);
  do_register->callback([where] { run_guarded([&] { run_entry(*where, true); }); });

  auto* do_unregister =
      app.add_subcommand("unregister", "Remove what registration entered (DllUnregisterServer)");
  add_location_options(do_unregister, *where);
  do_unregister->callback([where] { run_guarded([&] { run_entry(*where, false); }); });

  auto* typelib = app.add_subcommand("typelib", "Print the type library DnovarLib");
  typelib->callback([] { std::cout << describe(dnovar_type_library()); });
}

}  // namespace dnovar::app
