#include "apps/script/script_instance.h"

#include "interaction/calendar_events.h"

namespace dnovar::script {

namespace {

class DirectInstance final : public ScriptInstance {
 public:
  explicit DirectInstance(ControlSite& site) : calendar_(site), events_(calendar_) {}

  Calendar& calendar() override { return calendar_; }

  Variant get(std::string_view name) override {
    const CalendarState& s = calendar_.state();
    if (name == "Datum") return Variant::date(calendar_.Datum());
    if (name == "Dtyd") return Variant::i2(s.Dtyd);
    if (name == "Dtyd1") return Variant::i2(s.Dtyd1);
    if (name == "Svatky") return Variant::boolean(s.Svatky != 0);
    if (name == "Dlow") return Variant::i2(s.Dlow);
    if (name == "Dhigh") return Variant::i2(s.Dhigh);
    if (name == "Dplus") return Variant::i2(s.Dplus);
    if (name == "VyberColor") return Variant::i4(calendar_.VyberColor());
    if (name == "Caption") return Variant::string(calendar_.Caption());
    if (name == "Enabled") return Variant::boolean(calendar_.Enabled() != 0);
    raise_not_supported();
  }

  void put(std::string_view name, const Variant& value) override {
    CalendarState& s = calendar_.state();
    if (name == "Datum") return calendar_.put_Datum(value.to_date());
    if (name == "Dtyd") return void(s.Dtyd = value.to_i2());
    if (name == "Dtyd1") return void(s.Dtyd1 = value.to_i2());
    if (name == "Svatky") return void(s.Svatky = value.to_bool());
    if (name == "Dlow") return void(s.Dlow = value.to_i2());
    if (name == "Dhigh") return void(s.Dhigh = value.to_i2());
    if (name == "Dplus") return void(s.Dplus = value.to_i2());
    if (name == "VyberColor") return calendar_.put_VyberColor(value.to_i4());
    if (name == "Caption") return calendar_.put_Caption(value.to_string());
    if (name == "Enabled") return calendar_.put_Enabled(value.to_bool() != 0);
    raise_not_supported();
  }

  Variant call(std::string_view name, const std::vector<Variant>& args) override {
    if (name == "Aktualizuj" && args.size() <= 1) {
      calendar_.Aktualizuj(args.empty() ? Int16{0} : args[0].to_i2());
      return Variant();
    }
    if (name == "Velikonoce" && args.size() == 1) return Variant::date(calendar_.Velikonoce(args[0].to_i2()));
    raise_not_supported();
  }

 private:
  Calendar calendar_;
  CalendarEvents events_;
};

}  // namespace

std::unique_ptr<ScriptInstance> make_direct_instance(ControlSite& site) {
  return std::make_unique<DirectInstance>(site);
}

}  // namespace dnovar::script
