#include "host/type_library.h"

#include "core/calendar_state.h"
#include "host/control_members.h"

namespace dnovar {

namespace {

Function getter(const ControlMember& member) {
  return Function{.name = std::string(member.name),
                  .id = member.id,
                  .kind = InvokeKind::property_get,
                  .result = member.type,
                  .help = std::string(member.help)};
}

Function setter(const ControlMember& member) {
  return Function{.name = std::string(member.name),
                  .id = member.id,
                  .kind = InvokeKind::property_put,
                  .parameters = {Parameter{.type = member.type}},
                  .help = std::string(member.help)};
}

TypeInfo automation_interface() {
  std::vector<Function> f;
  for (const ControlMember& member : control_members()) {
    switch (member.kind) {
      case MemberKind::field:
        // A public field's read accessor names its value after the field.
        f.push_back(getter(member));
        f.back().result_name = member.name;
        f.push_back(setter(member));
        break;
      case MemberKind::property:
        f.push_back(getter(member));
        f.push_back(setter(member));
        break;
      case MemberKind::method:
        f.push_back(Function{.name = std::string(member.name),
                             .id = member.id,
                             .result = member.type,
                             .parameters = member.parameters,
                             .help = std::string(member.help)});
        break;
      case MemberKind::state:
        break;
    }
  }
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
