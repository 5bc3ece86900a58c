#include "dnovar/calendar_widget.h"

#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <filesystem>
#include <new>
#include <vector>

#include "backends/qt/qt_colour.h"
#include "component/bag_file.h"
#include "host/qt/hosted_calendar.h"
#include "platform/date.h"
#include "platform/error.h"

namespace dnovar {

namespace {

using widget::HostedCalendar;
using widget::WidgetSite;

constexpr int kInvalidArgument = 5;
constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;
constexpr int kObjectNotSet = 91;
constexpr int kInvalidPropertyValue = 380;

// Datum is an automation date: days since 1899-12-30, the fraction being the time of day.
const QDate kSerialEpoch(1899, 12, 30);

QDate to_qdate(DateSerial serial) {
  const CivilDate date = civil_date(serial);
  return QDate(date.year, date.month, date.day);
}

DateSerial to_serial(QDate date) {
  return static_cast<DateSerial>(kSerialEpoch.daysTo(date));
}

// 0x00BBGGRR.
Int32 to_colour(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<Int32>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

std::filesystem::path to_path(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

Variant i2_value(int value) {
  // The control's own conversion, so a value out of range is its overflow (6), raised before
  // anything is written.
  return Variant::i2(Variant::i4(value).to_i2());
}

void show_now(HostedCalendar& control) {
  control.call(Member::refresh, {Variant::i2(1)});  // any k but 0 shows Datum as it is
}

}  // namespace

class CalendarWidgetPrivate final : public widget::WidgetSiteListener {
 public:
  explicit CalendarWidgetPrivate(CalendarWidget& widget) : q(widget) {}

  void user_action_ended() override { announce_changes(); }
  void error_reported(const RuntimeError& error) override {
    report(error.number(), QString::fromStdString(error.what()));
  }
  void close_requested() override { emit q.closeRequested(); }
  CalendarRules calendar_rules() const override {
    return rules == CalendarWidget::Control ? CalendarRules::Control : CalendarRules::Current;
  }

  void report(int number, const QString& message) { emit q.errorOccurred(number, message); }

  // One call of the widget's API: a failure is reported, and whatever changed is announced
  // either way. Returns whether the call succeeded.
  template <typename Body>
  bool run(Body&& body) {
    bool succeeded = false;
    try {
      body();
      succeeded = true;
    } catch (const RuntimeError& error) {
      error_reported(error);
    } catch (const std::bad_alloc&) {
      report(kOutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
      report(kInternalError, QStringLiteral("Internal error: ") + QString::fromUtf8(error.what()));
    }
    announce_changes();
    return succeeded;
  }

  // A call on the current control (see WidgetSite::CallScope).
  template <typename Body>
  bool call(Body&& body) {
    return run([&] {
      HostedCalendar& hosted = current();
      WidgetSite::CallScope scope(hosted.site());
      body(hosted);
    });
  }

  // A property read for a getter; a control that cannot answer reads as `fallback`.
  template <typename Read, typename Value>
  Value read(Read&& body, Value fallback) const {
    try {
      if (control) return body(*control);
    } catch (const RuntimeError&) {
    }
    return fallback;
  }

  HostedCalendar& current() {
    if (!control)
      throw RuntimeError(kObjectNotSet, "Object variable or With block variable not set");
    return *control;
  }

  // A new instance loaded from `bag`; raises what the load raises.
  std::unique_ptr<HostedCalendar> load_new(PropertyBag& bag) {
    auto loaded = std::make_unique<HostedCalendar>(*this);
    WidgetSite::CallScope scope(loaded->site());
    loaded->load(bag);
    return loaded;
  }

  // Puts `loaded` in the place of the current control.
  void adopt(std::unique_ptr<HostedCalendar> loaded, MemoryBag keys) {
    if (QWidget* root = loaded->root()) {
      root->setParent(&q);
      root->move(0, 0);
      root->show();
      // The control's surface picks the widget that takes the focus (its first in tab order).
      q.setFocusProxy(root);
    }
    retire(std::exchange(control, std::move(loaded)));
    stored = std::move(keys);
    follow_enabled();
    q.updateGeometry();
  }

  // A control whose handler is still running (a slot of closeRequested loaded settings) is
  // released once the event loop has left it.
  void retire(std::unique_ptr<HostedCalendar> old) {
    if (!old) return;
    if (!old->site().busy()) return;
    if (QWidget* root = old->root()) root->hide();
    retired.push_back(std::move(old));
    QTimer::singleShot(0, &q, [this] { retired.clear(); });
  }

  // The widget's enabled state from the control's Enabled.
  void follow_enabled() {
    const bool enabled = read(
        [](HostedCalendar& c) { return c.get(Member::enabled).to_bool() != 0; }, q.isEnabled());
    following_enabled = true;
    q.setEnabled(enabled);
    following_enabled = false;
  }

  // Emits what changed since the last announcement. The range is read after dateChanged: a slot
  // of it may change the range, and announce that itself.
  void announce_changes() {
    if (!control) return;
    if (const QDate date = q.date(); date != announced_date) {
      announced_date = date;
      emit q.dateChanged(date);
    }
    const int low = q.rangeLow();
    const int high = q.rangeHigh();
    if (low != announced_low || high != announced_high) {
      announced_low = low;
      announced_high = high;
      emit q.rangeChanged(low, high);
    }
    announce(announced_caption, q.caption(), &CalendarWidget::captionChanged);
    announce(announced_colour, q.highlightColor(), &CalendarWidget::highlightColorChanged);
    announce(announced_holidays, q.holidaysShown(), &CalendarWidget::holidaysShownChanged);
    announce(announced_shift, q.shiftDays(), &CalendarWidget::shiftDaysChanged);
  }

  template <typename Value, typename Signal>
  void announce(Value& announced, const Value& now, Signal signal) {
    if (now == announced) return;
    announced = now;
    emit(q.*signal)(now);
  }

  CalendarWidget& q;
  // A new Qt program shows today's calendar; one that must match the control sets Control.
  CalendarWidget::Rules rules = CalendarWidget::Current;
  std::unique_ptr<HostedCalendar> control;
  std::vector<std::unique_ptr<HostedCalendar>> retired;
  // The bag of the last load: its keys unknown to the control go back into every save.
  MemoryBag stored;
  QDate announced_date;
  int announced_low = 0;
  int announced_high = 0;
  QString announced_caption;
  QColor announced_colour;
  bool announced_holidays = false;
  int announced_shift = 0;
  bool following_enabled = false;
};

CalendarWidget::CalendarWidget(QWidget* parent)
    : QWidget(parent), d(std::make_unique<CalendarWidgetPrivate>(*this)) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  // Takes the focus as one widget (a buddy label, setFocus), through its focus proxy.
  setFocusPolicy(Qt::StrongFocus);
  // What a host does for a control whose stored date is zero: it opens on today.
  MemoryBag today;
  today.set(control_member(Member::date).name, Variant::date(0));
  try {
    d->adopt(d->load_new(today), MemoryBag{});
  } catch (const RuntimeError& error) {
    qWarning("dnovar::CalendarWidget: the calendar cannot start: error %d %s", error.number(),
             error.what());
  }
  d->announce_changes();
  resize(sizeHint());
}

CalendarWidget::~CalendarWidget() = default;

QDate CalendarWidget::date() const {
  return d->read([](HostedCalendar& c) { return to_qdate(c.get(Member::date).to_date()); },
                 QDate());
}

QString CalendarWidget::caption() const {
  return d->read(
      [](HostedCalendar& c) { return QString::fromStdString(c.get(Member::caption).to_string()); },
      QString());
}

QColor CalendarWidget::highlightColor() const {
  return d->read(
      [this](HostedCalendar& c) {
        // A bag may hold a system colour; it shows as the palette's colour of that role.
        return resolve_colour(static_cast<Colour>(c.get(Member::highlight_colour).to_i4()),
                              palette());
      },
      QColor());
}

bool CalendarWidget::holidaysShown() const {
  return d->read([](HostedCalendar& c) { return c.get(Member::holidays_shown).to_bool() != 0; },
                 false);
}

int CalendarWidget::shiftDays() const {
  return d->read([](HostedCalendar& c) { return int{c.get(Member::day_increment).to_i2()}; }, 0);
}

int CalendarWidget::rangeLow() const {
  return d->read([](HostedCalendar& c) { return int{c.get(Member::range_low).to_i2()}; }, 0);
}

int CalendarWidget::rangeHigh() const {
  return d->read([](HostedCalendar& c) { return int{c.get(Member::range_high).to_i2()}; }, 0);
}

QSize CalendarWidget::sizeHint() const {
  const QWidget* root = d->control ? d->control->root() : nullptr;
  return root != nullptr ? root->size() : QSize();
}

QSize CalendarWidget::minimumSizeHint() const {
  return sizeHint();
}

QDate CalendarWidget::easterMonday(int year) const {
  QDate monday;
  d->call([&](HostedCalendar& c) {
    monday = to_qdate(c.call(Member::easter_monday, {Variant::i4(year)}).to_date());
  });
  return monday;
}

void CalendarWidget::refresh() {
  d->call([](HostedCalendar& c) { show_now(c); });
}

void CalendarWidget::showAbout() {
  d->call([](HostedCalendar& c) { c.call(Member::about); });
}

bool CalendarWidget::loadSettings(const QString& file) {
  return d->run([&] {
    MemoryBag bag = load_bag_file(to_path(file));
    // The control only reads; the copy keeps the keys as the file has them.
    MemoryBag reading = bag;
    d->adopt(d->load_new(reading), std::move(bag));
  });
}

bool CalendarWidget::saveSettings(const QString& file) const {
  return d->run([&] {
    MemoryBag bag = d->stored;
    {
      HostedCalendar& hosted = d->current();
      WidgetSite::CallScope scope(hosted.site());
      hosted.save(bag);
    }
    // A missing folder is 76 and stays missing (save_bag_file).
    save_bag_file(bag, to_path(file));
  });
}

void CalendarWidget::setDate(QDate date) {
  if (!date.isValid()) {
    d->report(kInvalidArgument, QStringLiteral("Invalid procedure call or argument: no date"));
    return;
  }
  d->call([&](HostedCalendar& c) {
    c.put(Member::date, Variant::date(to_serial(date)));
    show_now(c);
  });
}

void CalendarWidget::setCaption(const QString& caption) {
  d->call(
      [&](HostedCalendar& c) { c.put(Member::caption, Variant::string(caption.toStdString())); });
}

void CalendarWidget::setHighlightColor(const QColor& color) {
  // The control ignores black without a word; a widget says so.
  if (!color.isValid() || to_colour(color) == 0) {
    d->report(kInvalidPropertyValue,
              QStringLiteral("Invalid property value: the highlight colour cannot be ") +
                  (color.isValid() ? QStringLiteral("black") : QStringLiteral("invalid")));
    return;
  }
  d->call([&](HostedCalendar& c) {
    c.put(Member::highlight_colour, Variant::i4(to_colour(color)));
    show_now(c);
  });
}

void CalendarWidget::setHolidaysShown(bool shown) {
  d->call([&](HostedCalendar& c) {
    c.put(Member::holidays_shown, Variant::boolean(shown));
    show_now(c);
  });
}

CalendarWidget::Rules CalendarWidget::rules() const {
  return d->rules;
}

void CalendarWidget::setRules(Rules rules) {
  if (rules == d->rules) return;
  d->rules = rules;
  d->call([](HostedCalendar& c) { show_now(c); });
  emit rulesChanged(rules);
}

void CalendarWidget::setShiftDays(int days) {
  d->call([&](HostedCalendar& c) {
    c.put(Member::day_increment, i2_value(days));
    show_now(c);
  });
}

void CalendarWidget::setRangeLow(int day) {
  setRange(day, rangeHigh());
}

void CalendarWidget::setRangeHigh(int day) {
  setRange(rangeLow(), day);
}

void CalendarWidget::setRange(int low, int high) {
  d->call([&](HostedCalendar& c) {
    const Variant low_value = i2_value(low);
    const Variant high_value = i2_value(high);
    c.put(Member::range_low, low_value);
    c.put(Member::range_high, high_value);
    show_now(c);
  });
}

void CalendarWidget::paintEvent(QPaintEvent*) {
  QStyleOption option;
  option.initFrom(this);
  QPainter painter(this);
  style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void CalendarWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !d->following_enabled) {
    // Only the widget's own flag: a disabled parent greys the control without changing it.
    const bool own = !testAttribute(Qt::WA_ForceDisabled);
    d->call([&](HostedCalendar& c) {
      if ((c.get(Member::enabled).to_bool() != 0) == own) return;
      c.put(Member::enabled, Variant::boolean(own));
      show_now(c);  // the control's widgets follow Enabled at a refresh
    });
  }
  QWidget::changeEvent(event);
}

}  // namespace dnovar
