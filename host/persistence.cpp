#include "host/persistence.h"

namespace dnovar {

namespace {

constexpr DateSerial kDefaultDatum = 36525;  // 1999-12-31
const Variant kDefaultColour = Variant::i4(static_cast<Int32>(kYellow));

}  // namespace

void initialise_new(Calendar& calendar) {
  CalendarState& s = calendar.state();
  s.VyberColor = kDefaultColour;
  calendar.put_Caption(Variant::string(calendar.site().extender_name()).to_string());
  s.Dlow = 0;
  s.Dhigh = 0;
  s.Dplus = 1;
  s.Svatky = kTrue;
  calendar.put_Enabled(true);
}

void load_properties(Calendar& calendar, PropertyBag& bag) {
  CalendarState& s = calendar.state();
  const std::string name = calendar.site().extender_name();
  calendar.put_Caption(bag.read("Caption", Variant::string(name)).to_string());
  // Taken as the bag delivers it: even a system colour the write accessor would refuse.
  s.VyberColor = bag.read("VyberColor", kDefaultColour);
  s.AktDatum = bag.read("Datum", Variant::date(kDefaultDatum)).to_date();
  s.Dlow = bag.read("Dlow", Variant::i2(0)).to_i2();
  s.Dhigh = bag.read("Dhigh", Variant::i2(0)).to_i2();
  s.Dplus = bag.read("Dplus", Variant::i2(1)).to_i2();
  s.Svatky = bag.read("Svatky", Variant::boolean(true)).to_bool();
  calendar.put_Enabled(bag.read("Enabled", Variant::boolean(true)).to_bool() != 0);
  calendar.Inicializuj();
}

void save_properties(Calendar& calendar, PropertyBag& bag) {
  const CalendarState& s = calendar.state();
  const std::string caption = calendar.Caption();
  const std::string name = calendar.site().extender_name();
  bag.write("Caption", Variant::string(caption), Variant::string(name));
  bag.write("VyberColor", Variant::i4(calendar.VyberColor()), kDefaultColour);
  bag.write("Datum", Variant::date(calendar.Datum()), Variant::date(kDefaultDatum));
  bag.write("Dlow", Variant::i2(s.Dlow), Variant::i2(0));
  bag.write("Dhigh", Variant::i2(s.Dhigh), Variant::i2(0));
  bag.write("Dplus", Variant::i2(s.Dplus), Variant::i2(1));
  bag.write("Svatky", Variant::boolean(s.Svatky != 0), Variant::boolean(true));
  bag.write("Enabled", Variant::boolean(calendar.Enabled() != 0), Variant::boolean(true));
}

}  // namespace dnovar
