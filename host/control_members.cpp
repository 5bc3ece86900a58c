#include "host/control_members.h"

#include <algorithm>

#include "host/about_dialog.h"

namespace dnovar {

namespace {

// A 16-bit member of the state, as inspection reads and writes it.
template <Int16 CalendarState::*member>
constexpr StateSlot int16_slot() {
  return {[](const CalendarState& s) { return Variant::i2(s.*member); },
          [](CalendarState& s, const Variant& v) { s.*member = v.to_i2(); }};
}

// A field's value in a new calendar's state: the default of its bag key.
template <Int16 CalendarState::*member>
Variant initial_value(Calendar&) {
  const CalendarState initial;
  return Variant::i2(initial.*member);
}
template <Int16 CalendarState::*member>
Variant initial_flag(Calendar&) {
  const CalendarState initial;
  return Variant::boolean(initial.*member != 0);
}

// A public field: the automation interface reads and writes the state member as `type`, and a
// bag key (when it has one) stores it so, with the state's initial value as its default.
template <Int16 CalendarState::*member>
ControlMember field(Member which, std::string_view name, DispatchId id, ValueType type,
                    std::string_view help, std::string_view qt_property, int bag_position) {
  ControlMember row{.which = which,
                    .name = name,
                    .kind = MemberKind::field,
                    .id = id,
                    .type = type,
                    .help = help,
                    .qt_property = qt_property,
                    .state = int16_slot<member>()};
  if (type == ValueType::boolean) {
    row.get = [](Calendar& c) { return Variant::boolean(c.state().*member != 0); };
    row.put = [](Calendar& c, const Variant& v) { c.state().*member = v.to_bool(); };
  } else {
    row.get = [](Calendar& c) { return Variant::i2(c.state().*member); };
    row.put = [](Calendar& c, const Variant& v) { c.state().*member = v.to_i2(); };
  }
  if (bag_position >= 0) {
    row.bag = BagKey{.position = bag_position,
                     .default_value = initial_value<member>,
                     .saved_value = row.get,
                     .take = row.put,
                     .taken_when_new = true};
    if (type == ValueType::boolean) row.bag->default_value = initial_flag<member>;
  }
  return row;
}

// A member of the state only: no automation, no bag.
template <Int16 CalendarState::*member>
ControlMember state_only(std::string_view name) {
  return ControlMember{.name = name, .state = int16_slot<member>()};
}

constexpr int kNotStored = -1;

std::vector<ControlMember> make_rows() {
  using S = CalendarState;
  std::vector<ControlMember> rows;
  rows.push_back(field<&S::Dtyd>(Member::weekday, "Dtyd", 0x40030003, ValueType::i2,
                                 "číslo dne v týdnu aktuálního dne", {}, kNotStored));
  rows.push_back(field<&S::Dtyd1>(Member::first_weekday, "Dtyd1", 0x40030004, ValueType::i2,
                                  "Číslo dne v týdnu 1. v měsíci", {}, kNotStored));
  rows.push_back(field<&S::Svatky>(Member::holidays_shown, "Svatky", 0x40030005, ValueType::boolean,
                                   "Zda zobrazovat svátky tučně", "holidaysShown", 6));
  rows.push_back(field<&S::Dlow>(Member::range_low, "Dlow", 0x40030007, ValueType::i2,
                                 "Dolní mez nasvícení", "rangeLow", 3));
  rows.push_back(field<&S::Dhigh>(Member::range_high, "Dhigh", 0x40030008, ValueType::i2,
                                  "Horní mez nasvícení", "rangeHigh", 4));
  rows.push_back(field<&S::Dplus>(Member::day_increment, "Dplus", 0x40030009, ValueType::i2,
                                  "Inkrement pro přičítání k datu", "shiftDays", 5));
  rows.push_back(ControlMember{
      .which = Member::refresh,
      .name = "Aktualizuj",
      .kind = MemberKind::method,
      .id = 0x6003000F,
      .parameters = {Parameter{.name = "k",
                               .type = ValueType::i2,
                               .by_reference = true,
                               .flags = param_flag::in | param_flag::out | param_flag::optional}},
      .help = "Obnovuje obraz kalendáře",
      .call = [](Calendar& c, Args& a) {
        // Reads k and never writes it back.
        c.Aktualizuj(a[0].to_i2());
        return Variant();
      }});
  rows.push_back(ControlMember{
      .which = Member::caption,
      .name = "Caption",
      .kind = MemberKind::property,
      .id = 0x68030002,
      .type = ValueType::string,
      .help = "Titulek rámu kalendáře",
      .notifies = true,
      .qt_property = "caption",
      .get = [](Calendar& c) { return Variant::string(c.Caption()); },
      .put = [](Calendar& c, const Variant& v) { c.put_Caption(v.to_string()); },
      .bag = BagKey{.position = 0,
                    // The instance's name, asked of the host each time.
                    .default_value =
                        [](Calendar& c) { return Variant::string(c.site().extender_name()); },
                    .saved_value = [](Calendar& c) { return Variant::string(c.Caption()); },
                    .take = [](Calendar& c, const Variant& v) { c.put_Caption(v.to_string()); },
                    .taken_when_new = true}});
  rows.push_back(state_only<&S::Den>("Den"));
  rows.push_back(state_only<&S::Mesic>("Mesic"));
  rows.push_back(state_only<&S::Rok>("Rok"));
  rows.push_back(
      ControlMember{.name = "AktDatum",
                    .state = StateSlot{[](const S& s) { return Variant::date(s.AktDatum); },
                                       [](S& s, const Variant& v) { s.AktDatum = v.to_date(); }}});
  rows.push_back(state_only<&S::Prestup>("Prestup"));
  rows.push_back(state_only<&S::DenStisk>("DenStisk"));
  rows.push_back(ControlMember{
      .which = Member::highlight_colour,
      .name = "VyberColor",
      .kind = MemberKind::property,
      .id = 0x68030001,
      .type = ValueType::colour,
      .help = "Barva pro nasvícení",
      .notifies = true,
      .qt_property = "highlightColor",
      .get = [](Calendar& c) { return Variant::i4(c.VyberColor()); },
      .put = [](Calendar& c, const Variant& v) { c.put_VyberColor(v.to_i4()); },
      .bag = BagKey{.position = 1,
                    .default_value = [](Calendar&) { return CalendarState{}.VyberColor; },
                    .saved_value = [](Calendar& c) { return Variant::i4(c.VyberColor()); },
                    // Taken as the bag delivers it: even a system colour the write accessor
                    // would refuse.
                    .take = [](Calendar& c, const Variant& v) { c.state().VyberColor = v; },
                    .taken_when_new = true},
      // As the control holds it, whatever its type.
      .state = StateSlot{[](const S& s) { return s.VyberColor; },
                         [](S& s, const Variant& v) { s.VyberColor = v; }}});
  rows.push_back(ControlMember{
      .which = Member::date,
      .name = "Datum",
      .kind = MemberKind::property,
      .id = 0x68030000,
      .type = ValueType::date,
      .help = "Aktuální nastavený den",
      .notifies = true,
      .qt_property = "date",
      .get = [](Calendar& c) { return Variant::date(c.Datum()); },
      .put = [](Calendar& c, const Variant& v) { c.put_Datum(v.to_date()); },
      .bag = BagKey{.position = 2,
                    .default_value = [](Calendar&) { return Variant::date(36525); },  // 1999-12-31
                    .saved_value = [](Calendar& c) { return Variant::date(c.Datum()); },
                    .take = [](Calendar& c, const Variant& v) { c.state().AktDatum = v.to_date(); },
                    .taken_when_new = false}});
  rows.push_back(ControlMember{
      .which = Member::easter_monday,
      .name = "Velikonoce",
      .kind = MemberKind::method,
      .id = 0x60030015,
      .type = ValueType::date,
      .parameters = {Parameter{.name = "Rok",
                               .type = ValueType::i2,
                               .by_reference = true,
                               .flags = param_flag::in | param_flag::out}},
      .help = "Výpočet data velikonoc",
      .call = [](Calendar& c, Args& a) { return Variant::date(c.Velikonoce(a[0].to_i2())); }});
  rows.push_back(ControlMember{
      .which = Member::enabled,
      .name = "Enabled",
      .kind = MemberKind::property,
      .id = kDispidEnabled,
      .type = ValueType::boolean,
      .help = "Umístění v aktivním nebo neaktivním stavu",
      .notifies = true,
      .qt_property = "enabled",
      .get = [](Calendar& c) { return Variant::boolean(c.Enabled() != 0); },
      .put = [](Calendar& c, const Variant& v) { c.put_Enabled(v.to_bool() != 0); },
      .bag = BagKey{.position = 7,
                    .default_value = [](Calendar&) { return Variant::boolean(true); },
                    .saved_value = [](Calendar& c) { return Variant::boolean(c.Enabled() != 0); },
                    .take = [](Calendar& c, const Variant& v) { c.put_Enabled(v.to_bool() != 0); },
                    .taken_when_new = true}});
  rows.push_back(ControlMember{.which = Member::about,
                               .name = "ShowAbout",
                               .kind = MemberKind::method,
                               .id = kDispidAboutBox,
                               .help = "Zobrazení info",
                               .call = [](Calendar& c, Args&) {
                                 show_about_dialog(c.site().toolkit(), c.site());
                                 return Variant();
                               }});
  rows.push_back(state_only<&S::Aktualizace>("Aktualizace"));
  rows.push_back(state_only<&S::UpDown1Start>("UpDown1Start"));
  rows.push_back(state_only<&S::UpDown2Start>("UpDown2Start"));
  rows.push_back(state_only<&S::UpDown3Start>("UpDown3Start"));
  rows.push_back(state_only<&S::DenPohyb>("DenPohyb"));
  rows.push_back(state_only<&S::TahLevy>("TahLevy"));
  rows.push_back(state_only<&S::TahPravy>("TahPravy"));
  return rows;
}

template <typename Keep, typename Order>
std::vector<const ControlMember*> rows_where(Keep keep, Order before) {
  std::vector<const ControlMember*> kept;
  for (const ControlMember& row : control_members())
    if (keep(row)) kept.push_back(&row);
  std::stable_sort(kept.begin(), kept.end(), before);
  return kept;
}

}  // namespace

std::span<const ControlMember> control_members() {
  static const std::vector<ControlMember> rows = make_rows();
  return rows;
}

const ControlMember& control_member(Member which) {
  static const std::vector<const ControlMember*> by_handle = [] {
    std::vector<const ControlMember*> found(static_cast<std::size_t>(Member::none), nullptr);
    for (const ControlMember& row : control_members())
      if (row.which != Member::none) found[static_cast<std::size_t>(row.which)] = &row;
    return found;
  }();
  return *by_handle.at(static_cast<std::size_t>(which));
}

const ControlMember* control_member_named(std::string_view name) {
  for (const ControlMember& row : control_members())
    if (row.name == name) return &row;
  return nullptr;
}

std::vector<const ControlMember*> bag_members() {
  return rows_where([](const ControlMember& row) { return row.bag.has_value(); },
                    [](const ControlMember* a, const ControlMember* b) {
                      return a->bag->position < b->bag->position;
                    });
}

std::vector<const ControlMember*> state_members() {
  return rows_where([](const ControlMember& row) { return row.state.has_value(); },
                    [](const ControlMember*, const ControlMember*) { return false; });
}

}  // namespace dnovar
