#include "host/type_library.h"

#include "core/calendar_state.h"

namespace dnovar {

namespace {

Function getter(const char* name, DispatchId id, ValueType type, const char* help) {
  return Function{
      .name = name, .id = id, .kind = InvokeKind::property_get, .result = type, .help = help};
}

Function setter(const char* name, DispatchId id, ValueType type, const char* help) {
  return Function{.name = name,
                  .id = id,
                  .kind = InvokeKind::property_put,
                  .parameters = {Parameter{.type = type}},
                  .help = help};
}

void add_property(std::vector<Function>& functions, const char* name, DispatchId id, ValueType type,
                  const char* help) {
  functions.push_back(getter(name, id, type, help));
  functions.push_back(setter(name, id, type, help));
}

// A public field's read accessor names its value after the field.
void add_field(std::vector<Function>& functions, const char* name, DispatchId id, ValueType type,
               const char* help) {
  add_property(functions, name, id, type, help);
  functions[functions.size() - 2].result_name = name;
}

TypeInfo automation_interface() {
  std::vector<Function> f;
  add_field(f, "Dtyd", 0x40030003, ValueType::i2, "číslo dne v týdnu aktuálního dne");
  add_field(f, "Dtyd1", 0x40030004, ValueType::i2, "Číslo dne v týdnu 1. v měsíci");
  add_field(f, "Svatky", 0x40030005, ValueType::boolean, "Zda zobrazovat svátky tučně");
  add_field(f, "Dlow", 0x40030007, ValueType::i2, "Dolní mez nasvícení");
  add_field(f, "Dhigh", 0x40030008, ValueType::i2, "Horní mez nasvícení");
  add_field(f, "Dplus", 0x40030009, ValueType::i2, "Inkrement pro přičítání k datu");
  f.push_back(Function{
      .name = "Aktualizuj",
      .id = 0x6003000F,
      .parameters = {Parameter{.name = "k",
                               .type = ValueType::i2,
                               .by_reference = true,
                               .flags = param_flag::in | param_flag::out | param_flag::optional}},
      .help = "Obnovuje obraz kalendáře"});
  add_property(f, "Caption", 0x68030002, ValueType::string, "Titulek rámu kalendáře");
  add_property(f, "VyberColor", 0x68030001, ValueType::colour, "Barva pro nasvícení");
  add_property(f, "Datum", 0x68030000, ValueType::date, "Aktuální nastavený den");
  f.push_back(Function{.name = "Velikonoce",
                       .id = 0x60030015,
                       .result = ValueType::date,
                       .parameters = {Parameter{.name = "Rok",
                                                .type = ValueType::i2,
                                                .by_reference = true,
                                                .flags = param_flag::in | param_flag::out}},
                       .help = "Výpočet data velikonoc"});
  add_property(f, "Enabled", kDispidEnabled, ValueType::boolean,
               "Umístění v aktivním nebo neaktivním stavu");
  f.push_back(Function{.name = "ShowAbout", .id = kDispidAboutBox, .help = "Zobrazení info"});
  return TypeInfo{.name = "_Dnovar",
                  .kind = TypeKind::dual_interface,
                  .guid = kDnovarInterfaceId,
                  .flags = type_flag::hidden | type_flag::dual | type_flag::nonextensible |
                           type_flag::oleautomation | type_flag::dispatchable,
                  .base = "IDispatch",
                  .functions = std::move(f)};
}

TypeInfo month_enumeration() {
  TypeInfo type{.name = "eMesic", .kind = TypeKind::enumeration, .guid = kMonthEnumId};
  for (std::size_t m = 0; m < kMonthNames.size(); ++m)
    type.constants.push_back(EnumConstant{.name = std::string(kMonthNames[m]),
                                          .value = static_cast<int>(m) + 1,
                                          .help = std::string(kMonthNames[m])});
  return type;
}

TypeLibrary build_library() {
  return TypeLibrary{
      .name = "DnovarLib",
      .guid = kDnovarLibraryId,
      .major_version = 1,
      .minor_version = 0,
      .locale = 0x0409,
      .target_system = "win32",
      .flags = library_flag::control,
      .help = "Český kalendář (svátky)",
      .imports = {ImportedLibrary{
          .name = "stdole", .guid = kOleAutomationLibrary, .major_version = 2}},
      .types = {
          automation_interface(),
          // Control only: instances come from the class factory, not from the type information.
          TypeInfo{.name = "Dnovar",
                   .kind = TypeKind::coclass,
                   .guid = kDnovarClassId,
                   .flags = type_flag::control,
                   .interfaces = {{"_Dnovar", implementation_flag::is_default},
                                  {"__Dnovar",
                                   implementation_flag::is_default | implementation_flag::source}}},
          TypeInfo{.name = "__Dnovar",
                   .kind = TypeKind::dispinterface,
                   .guid = kDnovarEventsId,
                   .flags = type_flag::hidden | type_flag::nonextensible | type_flag::dispatchable,
                   .functions = {Function{
                       .name = "Zavri", .id = kZavriId, .help = "Událost při kliknutí na Zavři"}}},
          month_enumeration(),
      }};
}

}  // namespace

const TypeLibrary& dnovar_type_library() {
  static const TypeLibrary library = build_library();
  return library;
}

}  // namespace dnovar
