#include "apps/script/script_instance.h"

#include "apps/script/script_site.h"
#include "host/dnovar_control.h"

namespace dnovar::script {

std::unique_ptr<ScriptInstance> start_in_process_control(ScriptSite& site, DateSerial date) {
  const ComponentPtr<Dispatch> object = make_object<DnovarControl, Dispatch>();
  auto instance =
      std::make_unique<ScriptInstance>(ComponentPtr<Unknown>::share(object.get()), site);
  // Made in this program, so the calendar behind it is at hand.
  Calendar& calendar = *static_cast<DnovarControl&>(*object).calendar();
  calendar.state().AktDatum = date;
  calendar.Inicializuj();
  return instance;
}

ScriptInstance::ScriptInstance(const ComponentPtr<Unknown>& object, ScriptSite& site,
                               Surface* surface)
    : inspection_(require_interface<ControlInspection>(object)) {
  site.toolkit().take_created_surface();
  client_.emplace(object, site,
                  [&site](std::string_view name, DispatchId id) { site.raise_event(name, id); });
  // The control builds its widgets when it gets its site; they live as long as it has the site.
  surface_ = site.toolkit().take_created_surface();
  if (surface != nullptr) surface_ = surface;
}

Surface& ScriptInstance::surface() {
  if (surface_ == nullptr) raise_object_not_set();
  return *surface_;
}

CalendarState ScriptInstance::state() {
  CalendarState state;
  ExceptionInfo info;
  check_status(inspection_->read_state(&state, &info), &info);
  return state;
}

}  // namespace dnovar::script
