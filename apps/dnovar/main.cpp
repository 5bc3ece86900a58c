// dnovar: the command-line face of the calendar control.
#include <CLI/CLI.hpp>

#include "apps/common/run_guarded.h"
#include "apps/dnovar/component_commands.h"
#include "apps/dnovar/date_command.h"
#include "apps/dnovar/script_command.h"
#ifdef DNOVAR_WITH_QT
#include "apps/render/render_command.h"
#endif

int main(int argc, char** argv) {
  return dnovar::app::run_program("dnovar", [&] {
    CLI::App app{"Dnovar, a Czech month-calendar control"};
    app.require_subcommand(1);
    dnovar::app::add_date_command(app);
    dnovar::app::add_script_command(app);
#ifdef DNOVAR_WITH_QT
    dnovar::app::add_render_command(app);
#endif
    dnovar::app::add_component_commands(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
  });
}
