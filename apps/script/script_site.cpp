#include "apps/script/script_site.h"

namespace dnovar::script {

std::unique_ptr<Surface> SurfaceCapture::create_surface(const WidgetTable& table,
                                                        ErrorSink& errors) {
  std::unique_ptr<Surface> surface = toolkit_.create_surface(table, errors);
  created_ = surface.get();
  return surface;
}

std::string ScriptSite::extender_name() {
  if (!name_) raise_not_supported();
  return *name_;
}

void ScriptSite::report_error(const RuntimeError& error) {
  record("error " + std::to_string(error.number()) + " " + error.what());
}

std::vector<std::string> ScriptSite::take_events() {
  std::vector<std::string> taken;
  taken.swap(events_);
  return taken;
}

}  // namespace dnovar::script
