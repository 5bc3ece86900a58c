// Counts the instructions of the Qt benchmarks' steps, for callgrind profiles that show where the
// time goes. Run it under
//   valgrind --tool=callgrind --collect-atstart=no ./qt_instructions STEP [COUNT]
// with STEP one of switch (the control's month switch with a synchronous repaint), first-paint
// (a new control painted once), and qt-switch, qt-first-paint for QCalendarWidget. Only the
// steps are collected; callgrind's total divided by COUNT is the count per step.
#include <valgrind/callgrind.h>

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "backends/qt/qt_toolkit.h"
#include "bench/qt/qt_bench_subjects.h"
#include "platform/quiet_site.h"

namespace {

using namespace dnovar;
using Control = bench::QtControl;
using bench::qt_calendar;

// Runs `step` once untimed (caches filled), then `count` times collected.
void collect(int count, const std::function<void(int)>& step) {
  step(0);
  CALLGRIND_START_INSTRUMENTATION;
  CALLGRIND_TOGGLE_COLLECT;
  for (int i = 1; i <= count; ++i) step(i);
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_STOP_INSTRUMENTATION;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  const char* step = argc > 1 ? argv[1] : "switch";
  const int count = argc > 2 ? std::atoi(argv[2]) : 100;
  QtToolkit toolkit;
  QuietSite site(toolkit, make_date(2024, 5, 20));
  if (std::strcmp(step, "switch") == 0) {
    Control control(site);
    control.root().show();
    QCoreApplication::processEvents();
    collect(count, [&](int i) {
      control.calendar.state().Mesic = static_cast<Int16>((i + 5) % 12 + 1);
      control.calendar.Aktualizuj(0);
      control.root().repaint();
    });
  } else if (std::strcmp(step, "qt-switch") == 0) {
    const std::unique_ptr<QCalendarWidget> widget = qt_calendar();
    widget->show();
    QCoreApplication::processEvents();
    collect(count, [&](int i) {
      widget->setCurrentPage(2024, (i + 5) % 12 + 1);
      widget->repaint();
    });
  } else if (std::strcmp(step, "first-paint") == 0) {
    collect(count, [&](int) {
      Control control(site);
      (void)control.root().grab();
    });
  } else if (std::strcmp(step, "qt-first-paint") == 0) {
    collect(count, [&](int) { (void)qt_calendar()->grab(); });
  } else {
    std::fprintf(stderr, "usage: %s switch|qt-switch|first-paint|qt-first-paint [COUNT]\n",
                 argv[0]);
    return 2;
  }
  std::printf("%s: %d steps\n", step, count);
  return 0;
}
