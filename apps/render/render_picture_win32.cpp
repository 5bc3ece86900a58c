// The picture drawn by the real Windows controls (each window prints itself into a bitmap, so no
// screen is needed), written as a PNG.
#include <filesystem>
#include <fstream>
#include <optional>

#include "apps/render/png_file.h"
#include "apps/render/render_picture.h"
#include "backends/win32/win32_picture.h"
#include "backends/win32/win32_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"

namespace dnovar::app {

namespace {

// A host that only draws: no name of its own, nothing to notify, today from the system clock, the
// rules it is given.
// A handler's failure is kept, so the picture of a control in trouble is not passed off as good.
class Win32RenderSite final : public ControlSite {
 public:
  explicit Win32RenderSite(CalendarRules rules) : rules_(rules) {}
  std::string extender_name() override { return "Dnovar1"; }
  void property_changed(std::string_view) override {}
  void raise_event(std::string_view, int) override {}
  void report_error(const RuntimeError& error) override {
    if (!failure_) failure_ = error;
  }
  Toolkit& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return rules_; }

  void throw_failure() const {
    if (failure_) throw *failure_;
  }

 private:
  Win32Toolkit toolkit_;
  SystemClock clock_;
  CalendarRules rules_;
  std::optional<RuntimeError> failure_;
};

Picture render_calendar(const RenderSettings& settings) {
  Win32RenderSite site(settings.rules);
  Calendar calendar(site);
  CalendarEvents events(calendar);
  calendar.state().AktDatum = settings.date;
  calendar.Inicializuj();
  const bool more = settings.dlow != 0 || settings.dhigh != 0 || !settings.holidays ||
                    settings.highlight.has_value();
  if (more) {
    CalendarState& state = calendar.state();
    state.Dlow = settings.dlow;
    state.Dhigh = settings.dhigh;
    state.Svatky = settings.holidays ? kTrue : kFalse;
    if (settings.highlight) calendar.put_VyberColor(static_cast<Int32>(*settings.highlight));
    calendar.Aktualizuj(0);
  }
  site.throw_failure();
  SurfacePicture drawn = picture_of(static_cast<Win32Surface&>(calendar.surface()));
  return Picture{drawn.width, drawn.height, std::move(drawn.pixels)};
}

}  // namespace

bool write_calendar_png(const RenderSettings& settings, const std::string& file) {
  const std::string bytes = png_bytes(render_calendar(settings));
  std::ofstream out(std::filesystem::path(file), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return true;
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return false;
}

}  // namespace dnovar::app
