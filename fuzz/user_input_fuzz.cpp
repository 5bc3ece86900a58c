// libFuzzer target for sequences of user input and host calls on one started control: each input
// byte pair picks an action and its argument. Run-time errors are contained as they are for a real
// host; the fuzzer looks for crashes, undefined behaviour and broken invariants.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "backends/headless/headless_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "platform/quiet_site.h"

namespace {

using namespace dnovar;

template <typename Action>
void contained(Action&& action) {
  try {
    action();
  } catch (const RuntimeError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  HeadlessToolkit toolkit;
  QuietSite site(toolkit, make_date(2024, 5, 20));
  Calendar calendar(site);
  CalendarEvents events(calendar);
  calendar.state().AktDatum = make_date(2024, 5, 20);
  calendar.Inicializuj();
  auto& surface = static_cast<HeadlessSurface&>(calendar.surface());
  const WidgetId spinners[] = {widget_ids::UpDown1, widget_ids::UpDown2, widget_ids::UpDown3};
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const int arg = data[i + 1];
    const WidgetId cell = day_cell_id(arg % kDayCellCount);
    switch (data[i] % 14) {
      case 0:
        surface.user_click(widget_ids::cmdDnes);
        break;
      case 1:
        surface.user_click(widget_ids::cmdDplus);
        break;
      case 2:
        surface.user_choose(widget_ids::cmbMonth, arg % 12);
        break;
      case 3:
        surface.user_spin(spinners[arg % 3], arg & 0x80);
        break;
      case 4:
        surface.user_key(arg & 1 ? widget_ids::txtYear : widget_ids::txtDplus, arg >> 1);
        break;
      case 5:
        surface.user_mouse_down(cell, 1 + (arg & 1));
        break;
      case 6:
        surface.user_mouse_move(cell, arg & 3);
        break;
      case 7:
        surface.user_double_click(cell);
        break;
      case 8:
        calendar.state().Dlow = static_cast<Int16>(arg - 128);
        break;
      case 9:
        calendar.state().Dhigh = static_cast<Int16>(arg * 130 - 16000);
        break;
      case 10:
        contained([&] { calendar.Aktualizuj(static_cast<Int16>(arg & 1)); });
        break;
      case 11:
        contained([&] { calendar.put_Datum(make_date(1900 + arg * 31, 1 + arg % 12, arg)); });
        break;
      case 12:
        calendar.put_VyberColor(arg * 0x010101);
        break;
      case 13:
        calendar.put_Enabled(arg & 1);
        break;
    }
    if (!is_valid_date(calendar.state().AktDatum)) std::abort();
  }
  return 0;
}
