// The site CalendarWidget gives each control instance it holds. It does a host's part: the Qt
// toolkit, the system clock, the extender's Name, the widget's rules, and it tells the widget what
// the control reports (contained errors, the event Zavri) and when a user action on the control's
// widgets has run to its end, so the widget can compare the date and the range then. The control
// says nothing to its host when the user changes them.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "backends/qt/qt_toolkit.h"
#include "platform/clock.h"
#include "platform/site.h"

namespace dnovar::widget {

// What the site tells the widget that holds it.
class WidgetSiteListener {
 public:
  virtual ~WidgetSiteListener() = default;
  // A notification of the control's widgets (a click, a key, a mouse move...) has been handled,
  // or has failed and its failure been reported; nothing of the control runs any more.
  virtual void user_action_ended() = 0;
  virtual void error_reported(const RuntimeError& error) = 0;
  virtual void close_requested() = 0;
  // The rules the widget's calendar marks holidays and numbers weeks by.
  virtual CalendarRules calendar_rules() const = 0;
};

class WidgetSite final : public ControlSite, private Toolkit {
 public:
  explicit WidgetSite(WidgetSiteListener& listener) : listener_(listener) {}

  // The name a container gives its first instance: the caption of a control whose bag has none.
  std::string extender_name() override { return "Dnovar1"; }
  // The widget compares values itself; a notification alone says too little (Dlow has none).
  void property_changed(std::string_view) override {}
  void raise_event(std::string_view name, int dispatch_id) override;
  void report_error(const RuntimeError& error) override;
  Toolkit& toolkit() override { return *this; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return listener_.calendar_rules(); }

  // The root widget of the control's surface; null before the control has one and once it is
  // gone.
  QWidget* control_root() const { return control_root_.data(); }
  // Whether a call or a notification of the control is running.
  bool busy() const { return depth_ > 0; }

  // Held while the widget calls the control: notifications that the call causes (a refresh sets
  // the spinners) are part of the call, not user actions of their own.
  class CallScope {
   public:
    explicit CallScope(WidgetSite& site) : site_(site) { ++site_.depth_; }
    ~CallScope() { --site_.depth_; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

   private:
    WidgetSite& site_;
  };

 private:
  class ReportingSurface;
  class ReportingEvents;

  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  void beep() override { qt_.beep(); }

  void notification_ended();
  void notification_failed();

  WidgetSiteListener& listener_;
  QtToolkit qt_;
  SystemClock clock_;
  QPointer<QWidget> control_root_;
  int depth_ = 0;  // calls and notifications of the control running, nested in each other
  bool failed_action_ = false;
};

}  // namespace dnovar::widget
