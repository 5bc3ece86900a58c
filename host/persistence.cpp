#include "host/persistence.h"

#include <optional>
#include <string_view>

namespace dnovar {

namespace {

// One key of the bag: its default, the value that saving writes, and how the calendar takes a
// value that loading reads (or a new instance's default).
struct Setting {
  std::string_view key;
  Variant (*default_value)(Calendar& calendar);
  Variant (*saved_value)(Calendar& calendar);
  void (*take)(Calendar& calendar, const Variant& value);
  bool taken_when_new;  // a new instance leaves the member as it is
};

// In the order they are read, written and stored.
constexpr Setting kSettings[] = {
    {"Caption", [](Calendar& c) { return Variant::string(c.site().extender_name()); },
     [](Calendar& c) { return Variant::string(c.Caption()); },
     [](Calendar& c, const Variant& v) { c.put_Caption(v.to_string()); }, true},
    {"VyberColor", [](Calendar&) { return Variant::i4(static_cast<Int32>(kYellow)); },
     [](Calendar& c) { return Variant::i4(c.VyberColor()); },
     // Taken as the bag delivers it: even a system colour the write accessor would refuse.
     [](Calendar& c, const Variant& v) { c.state().VyberColor = v; }, true},
    {"Datum", [](Calendar&) { return Variant::date(36525); },  // 1999-12-31
     [](Calendar& c) { return Variant::date(c.Datum()); },
     [](Calendar& c, const Variant& v) { c.state().AktDatum = v.to_date(); }, false},
    {"Dlow", [](Calendar&) { return Variant::i2(0); },
     [](Calendar& c) { return Variant::i2(c.state().Dlow); },
     [](Calendar& c, const Variant& v) { c.state().Dlow = v.to_i2(); }, true},
    {"Dhigh", [](Calendar&) { return Variant::i2(0); },
     [](Calendar& c) { return Variant::i2(c.state().Dhigh); },
     [](Calendar& c, const Variant& v) { c.state().Dhigh = v.to_i2(); }, true},
    {"Dplus", [](Calendar&) { return Variant::i2(1); },
     [](Calendar& c) { return Variant::i2(c.state().Dplus); },
     [](Calendar& c, const Variant& v) { c.state().Dplus = v.to_i2(); }, true},
    {"Svatky", [](Calendar&) { return Variant::boolean(true); },
     [](Calendar& c) { return Variant::boolean(c.state().Svatky != 0); },
     [](Calendar& c, const Variant& v) { c.state().Svatky = v.to_bool(); }, true},
    {"Enabled", [](Calendar&) { return Variant::boolean(true); },
     [](Calendar& c) { return Variant::boolean(c.Enabled() != 0); },
     [](Calendar& c, const Variant& v) { c.put_Enabled(v.to_bool() != 0); }, true},
};

}  // namespace

void initialise_new(Calendar& calendar) {
  for (const Setting& setting : kSettings)
    if (setting.taken_when_new) setting.take(calendar, setting.default_value(calendar));
}

void load_properties(Calendar& calendar, PropertyBag& bag) {
  std::optional<RuntimeError> first_failure;
  for (const Setting& setting : kSettings) {
    try {
      const Variant default_value = setting.default_value(calendar);
      setting.take(calendar, bag.read(setting.key, default_value));
    } catch (const RuntimeError& error) {
      if (!bag.failure_recorded(setting.key, error)) throw;
      if (!first_failure) first_failure = error;
    }
  }
  if (first_failure) throw *first_failure;
  calendar.Inicializuj();
}

void save_properties(Calendar& calendar, PropertyBag& bag) {
  for (const Setting& setting : kSettings) {
    const Variant value = setting.saved_value(calendar);
    bag.write(setting.key, value, setting.default_value(calendar));
  }
}

}  // namespace dnovar
