#include <gtest/gtest.h>

#include "host/module_resources.h"
#include "host/type_library.h"

namespace dnovar {
namespace {

const TypeLibrary& library() {
  return dnovar_type_library();
}

TEST(TypeLibrary, AttributesAndTypesInOrder) {
  EXPECT_EQ(library().name, "DnovarLib");
  EXPECT_EQ(library().help, "Český kalendář (svátky)");
  EXPECT_EQ(library().flags, library_flag::control);
  EXPECT_EQ(library().locale, 0x0409u);
  ASSERT_EQ(library().imports.size(), 1u);
  EXPECT_EQ(library().imports[0].guid, kOleAutomationLibrary);
  struct Expected {
    const char* name;
    TypeKind kind;
    std::uint32_t flags;
  };
  const Expected types[] = {
      {"_Dnovar", TypeKind::dual_interface,
       type_flag::hidden | type_flag::dual | type_flag::nonextensible | type_flag::oleautomation |
           type_flag::dispatchable},
      {"Dnovar", TypeKind::coclass, type_flag::control},
      {"__Dnovar", TypeKind::dispinterface,
       type_flag::hidden | type_flag::nonextensible | type_flag::dispatchable},
      {"eMesic", TypeKind::enumeration, 0},
  };
  ASSERT_EQ(library().types.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(library().types[i].name, types[i].name);
    EXPECT_EQ(library().types[i].kind, types[i].kind) << types[i].name;
    EXPECT_EQ(library().types[i].flags, types[i].flags) << types[i].name;
    EXPECT_FALSE(library().types[i].flags & type_flag::can_create) << types[i].name;
  }
}

TEST(TypeLibrary, GuidsAreFixedForever) {
  // Hosts store these; a change breaks every stored form.
  EXPECT_EQ(format_guid(library().guid), "{E3028864-7BD9-4193-A967-4A9A79C64D67}");
  EXPECT_EQ(format_guid(library().types[0].guid), "{9C75351E-408F-493C-8922-FA4BFF56BE46}");
  EXPECT_EQ(format_guid(library().types[1].guid), "{9A4A3FAF-20A3-4CBF-A90D-08461FE86E82}");
  EXPECT_EQ(format_guid(library().types[2].guid), "{93252D0C-3828-4FDB-A767-806F55F007FE}");
  EXPECT_EQ(format_guid(library().types[3].guid), "{E854106B-07BB-4522-911A-37C0EFFE6EA0}");
}

TEST(TypeLibrary, MembersOfTheAutomationInterface) {
  struct Expected {
    const char* name;
    DispatchId id;
    InvokeKind kind;
    ValueType
        type;  // the read accessor's result, or the write accessor's value, or the method's result
  };
  const Expected members[] = {
      {"Dtyd", 0x40030003, InvokeKind::property_get, ValueType::i2},
      {"Dtyd", 0x40030003, InvokeKind::property_put, ValueType::i2},
      {"Dtyd1", 0x40030004, InvokeKind::property_get, ValueType::i2},
      {"Dtyd1", 0x40030004, InvokeKind::property_put, ValueType::i2},
      {"Svatky", 0x40030005, InvokeKind::property_get, ValueType::boolean},
      {"Svatky", 0x40030005, InvokeKind::property_put, ValueType::boolean},
      {"Dlow", 0x40030007, InvokeKind::property_get, ValueType::i2},
      {"Dlow", 0x40030007, InvokeKind::property_put, ValueType::i2},
      {"Dhigh", 0x40030008, InvokeKind::property_get, ValueType::i2},
      {"Dhigh", 0x40030008, InvokeKind::property_put, ValueType::i2},
      {"Dplus", 0x40030009, InvokeKind::property_get, ValueType::i2},
      {"Dplus", 0x40030009, InvokeKind::property_put, ValueType::i2},
      {"Aktualizuj", 0x6003000F, InvokeKind::method, ValueType::none},
      {"Caption", 0x68030002, InvokeKind::property_get, ValueType::string},
      {"Caption", 0x68030002, InvokeKind::property_put, ValueType::string},
      {"VyberColor", 0x68030001, InvokeKind::property_get, ValueType::colour},
      {"VyberColor", 0x68030001, InvokeKind::property_put, ValueType::colour},
      {"Datum", 0x68030000, InvokeKind::property_get, ValueType::date},
      {"Datum", 0x68030000, InvokeKind::property_put, ValueType::date},
      {"Velikonoce", 0x60030015, InvokeKind::method, ValueType::date},
      {"Enabled", -514, InvokeKind::property_get, ValueType::boolean},
      {"Enabled", -514, InvokeKind::property_put, ValueType::boolean},
      {"ShowAbout", -552, InvokeKind::method, ValueType::none},
  };
  const auto& functions = library().types[kDnovarInterfaceIndex].functions;
  ASSERT_EQ(functions.size(), std::size(members));
  for (std::size_t i = 0; i < functions.size(); ++i) {
    const Function& f = functions[i];
    SCOPED_TRACE(f.name);
    EXPECT_EQ(f.name, members[i].name);
    EXPECT_EQ(f.id, members[i].id);
    EXPECT_EQ(f.kind, members[i].kind);
    const ValueType type = f.kind == InvokeKind::property_put ? f.parameters.at(0).type : f.result;
    EXPECT_EQ(type, members[i].type);
    EXPECT_FALSE(f.help.empty());
    EXPECT_EQ(f.flags, 0u);
  }
  const Function& refresh = functions[12];
  ASSERT_EQ(refresh.parameters.size(), 1u);
  EXPECT_EQ(refresh.parameters[0].name, "k");
  EXPECT_TRUE(refresh.parameters[0].by_reference);
  EXPECT_EQ(refresh.parameters[0].flags, param_flag::in | param_flag::out | param_flag::optional);
  EXPECT_FALSE(refresh.parameters[0].default_value.has_value());
  const Function& easter = functions[19];
  EXPECT_EQ(easter.parameters.at(0).name, "Rok");
  EXPECT_EQ(easter.parameters.at(0).flags, param_flag::in | param_flag::out);
}

TEST(TypeLibrary, EventAndMonthEnumeration) {
  const TypeInfo& events = library().types[kDnovarEventsIndex];
  ASSERT_EQ(events.functions.size(), 1u);
  EXPECT_EQ(events.functions[0].name, "Zavri");
  EXPECT_EQ(events.functions[0].id, 1);
  EXPECT_EQ(events.functions[0].help, "Událost při kliknutí na Zavři");
  const TypeInfo& months = library().types[kMonthEnumIndex];
  const char* names[] = {"Leden",    "Únor",  "Březen", "Duben", "Květen",   "Červen",
                         "Červenec", "Srpen", "Září",   "Říjen", "Listopad", "Prosinec"};
  ASSERT_EQ(months.constants.size(), 12u);
  for (int m = 0; m < 12; ++m) {
    EXPECT_EQ(months.constants[static_cast<std::size_t>(m)].name, names[m]);
    EXPECT_EQ(months.constants[static_cast<std::size_t>(m)].value, m + 1);
    EXPECT_EQ(months.constants[static_cast<std::size_t>(m)].help, names[m]);
  }
  const TypeInfo& coclass = library().types[kDnovarClassIndex];
  ASSERT_EQ(coclass.interfaces.size(), 2u);
  EXPECT_EQ(coclass.interfaces[0].name, "_Dnovar");
  EXPECT_EQ(coclass.interfaces[1].name, "__Dnovar");
  EXPECT_EQ(coclass.interfaces[1].flags,
            implementation_flag::is_default | implementation_flag::source);
}

TEST(ModuleResources, ToolboxBitmapIsA16By15SixteenColourDib) {
  const auto dib = toolbox_bitmap();
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(dib[at] | dib[at + 1] << 8 | dib[at + 2] << 16 |
                                      dib[at + 3] << 24);
  };
  ASSERT_EQ(dib.size(), 40u + 16 * 4 + 8 * 15);
  EXPECT_EQ(u32(0), 40u);                // header size
  EXPECT_EQ(u32(4), 16u);                // width
  EXPECT_EQ(u32(8), 15u);                // height
  EXPECT_EQ(dib[12] | dib[13] << 8, 1);  // planes
  EXPECT_EQ(dib[14] | dib[15] << 8, 4);  // bits per pixel
  EXPECT_EQ(u32(32), 16u);               // colours used
  EXPECT_EQ(find_module_resource("BITMAP", "30000"), dib);
}

TEST(ModuleResources, InterfaceRecordsAndVersion) {
  struct Case {
    const char* name;
    Guid guid;
  };
  for (const Case& c :
       {Case{"_IID_DNOVAR", kDnovarInterfaceId}, Case{"_SRCIID_DNOVAR", kDnovarEventsId}}) {
    const auto record = find_module_resource("CUSTOM", c.name);
    ASSERT_TRUE(record.has_value()) << c.name;
    ASSERT_EQ(record->size(), 20u);
    EXPECT_EQ((std::vector<std::uint8_t>(record->begin(), record->begin() + 4)),
              (std::vector<std::uint8_t>{16, 0, 0, 0}));
    const auto bytes = guid_bytes(c.guid);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), record->begin() + 4)) << c.name;
  }
  EXPECT_EQ(find_version_entry("FileVersion"), "1.00");
  EXPECT_EQ(find_version_entry("ProductVersion"), "1.00");
  EXPECT_EQ(find_version_entry("InternalName"), "Dnovar");
  EXPECT_EQ(find_version_entry("OriginalFilename"), "Dnovar.ocx");
  EXPECT_EQ(find_version_entry("OLESelfRegister"), "");
  EXPECT_FALSE(find_version_entry("Nothing").has_value());
  EXPECT_FALSE(find_module_resource("BITMAP", "1").has_value());
}

}  // namespace
}  // namespace dnovar
