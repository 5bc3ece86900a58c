#include "host/activex/state_members.h"

#include "platform/error.h"

namespace dnovar {

namespace {

struct Member {
  std::string_view name;
  Int16 CalendarState::*field;  // null for the two that are no 16-bit integer
};

constexpr Member kMembers[kStateMemberCount] = {
    {"Dtyd", &CalendarState::Dtyd},
    {"Dtyd1", &CalendarState::Dtyd1},
    {"Svatky", &CalendarState::Svatky},
    {"Dlow", &CalendarState::Dlow},
    {"Dhigh", &CalendarState::Dhigh},
    {"Dplus", &CalendarState::Dplus},
    {"Den", &CalendarState::Den},
    {"Mesic", &CalendarState::Mesic},
    {"Rok", &CalendarState::Rok},
    {"AktDatum", nullptr},
    {"Prestup", &CalendarState::Prestup},
    {"DenStisk", &CalendarState::DenStisk},
    {"VyberColor", nullptr},
    {"Aktualizace", &CalendarState::Aktualizace},
    {"UpDown1Start", &CalendarState::UpDown1Start},
    {"UpDown2Start", &CalendarState::UpDown2Start},
    {"UpDown3Start", &CalendarState::UpDown3Start},
    {"DenPohyb", &CalendarState::DenPohyb},
    {"TahLevy", &CalendarState::TahLevy},
    {"TahPravy", &CalendarState::TahPravy},
};

const Member& member(std::size_t index) {
  if (index >= kStateMemberCount) raise_invalid_argument();
  return kMembers[index];
}

}  // namespace

std::string_view state_member_name(std::size_t index) {
  return member(index).name;
}

Variant state_member(const CalendarState& state, std::size_t index) {
  const Member& m = member(index);
  if (m.field != nullptr) return Variant::i2(state.*m.field);
  return m.name == "AktDatum" ? Variant::date(state.AktDatum) : state.VyberColor;
}

void set_state_member(CalendarState& state, std::size_t index, const Variant& value) {
  const Member& m = member(index);
  if (m.field != nullptr) {
    state.*m.field = value.to_i2();
  } else if (m.name == "AktDatum") {
    state.AktDatum = value.to_date();
  } else {
    state.VyberColor = value;  // as the control holds it, whatever its type
  }
}

}  // namespace dnovar
