// The calendar control's logic on its surface: state, start-up, the month refresh, Easter, and the
// accessors the automation interface exposes. It never catches: a run-time error ends the
// operation and what was done stays done.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_state.h"
#include "core/drawn_month.h"
#include "core/month_look.h"
#include "core/surface_layout.h"
#include "platform/site.h"

namespace dnovar {

class Calendar {
 public:
  // Creates every widget of the surface through the site's toolkit. Members hold their defaults;
  // nothing is drawn until Inicializuj or Aktualizuj runs.
  explicit Calendar(ControlSite& site);
  ~Calendar();
  Calendar(const Calendar&) = delete;
  Calendar& operator=(const Calendar&) = delete;

  CalendarState& state() { return state_; }
  const CalendarState& state() const { return state_; }
  Surface& surface() { return *surface_; }
  ControlSite& site() { return site_; }

  // Start-up: tables, month list, the date (today when AktDatum is 0), and a full refresh.
  void Inicializuj();
  // The month refresh. k = 0 first rebuilds AktDatum from Rok, Mesic, Den; otherwise keeps it.
  void Aktualizuj(Int16 k = 0);
  // The Monday marked as the Easter holiday of `rok`, by the site's rules (the control's own:
  // estimated from a mean lunation).
  DateSerial Velikonoce(Int16 rok) const;

  // Properties with accessors. The write accessors notify the host under the property's name.
  DateSerial Datum() const { return state_.AktDatum; }
  void put_Datum(DateSerial value);
  std::string Caption() const;
  void put_Caption(std::string_view caption);
  Int32 VyberColor() const;           // the stored value as a 32-bit integer; empty reads as 0
  void put_VyberColor(Int32 colour);  // accepted only when > 0; otherwise ignored, no error
  Bool16 Enabled() const;
  void put_Enabled(bool enabled);

  // The host's focus notifications: the frame caption is bold while the focus is inside.
  void enter_focus();
  void exit_focus();

  // Widgets by id and the day cell of an index; error 340 for one the surface does not have.
  Widget& widget(WidgetId id);
  Widget& day_cell(long long index);
  // The 37 day cells in order.
  std::span<Widget* const> day_cells() const {
    return std::span<Widget* const>(widgets_).subspan(widget_ids::first_day_cell, kDayCellCount);
  }

  // What the day cells' names are read from (see describe_month).
  DescribedMonth& described_month() { return described_month_; }
  // The month the day cells show, as the last refresh numbered them; none before the first.
  const std::optional<DrawnMonth>& drawn_month() const { return drawn_month_; }

 private:
  void mark_holidays(MonthLook& look);
  // A widget of the surface's fixed table by its id, which the surface always has.
  Widget& fixed_widget(WidgetId id) { return *widgets_[static_cast<std::size_t>(id.value)]; }

  ControlSite& site_;
  // Before the surface, so that it outlives the widgets whose names read it.
  DescribedMonth described_month_;
  std::unique_ptr<Surface> surface_;
  // The surface's widgets in table order, looked up once: a refresh touches about 200 of them.
  std::vector<Widget*> widgets_;
  CalendarState state_;
  std::optional<DrawnMonth> drawn_month_;
  // The enabled state the last refresh gave the widgets: -1 before the first.
  int widgets_enabled_ = -1;
};

}  // namespace dnovar
