// The picture drawn offscreen by the Qt backend, saved by Qt.
#include <QApplication>
#include <QImage>
#include <memory>
#include <optional>

#include "apps/qt_common/qt_application.h"
#include "apps/render/render_picture.h"
#include "backends/qt/qt_access.h"
#include "backends/qt/qt_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"

namespace dnovar::app {

namespace {

// A host that only draws: no name of its own, nothing to notify, today from the system clock, the
// rules it is given.
// A handler's failure is kept, so the picture of a control in trouble is not passed off as good.
class QtRenderSite final : public ControlSite {
 public:
  explicit QtRenderSite(CalendarRules rules) : rules_(rules) {}
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
  QtToolkit toolkit_;
  SystemClock clock_;
  CalendarRules rules_;
  std::optional<RuntimeError> failure_;
};

}  // namespace

namespace {

QImage render_calendar(const RenderSettings& settings) {
  QtRenderSite site(settings.rules);
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
  return render_surface(calendar.surface());
}

}  // namespace

bool write_calendar_png(const RenderSettings& settings, const std::string& file) {
  const std::unique_ptr<QApplication> application = start_qt_application(QtPlatform::Offscreen);
  return render_calendar(settings).save(QString::fromStdString(file), "PNG");
}

}  // namespace dnovar::app
