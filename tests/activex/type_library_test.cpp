// The type library and resources dnovar.ocx carries, read back the way hosts read them, against
// the one table the control's dispatch is bound to: every type, member, dispatch id, type, flag
// and help string; the dual interface's vtable places; the bitmap, id records and version record.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "host/activex/com_guid.h"
#include "host/activex/dual_interface.h"
#include "host/activex/library_text.h"
#include "host/activex/type_library_writer.h"
#include "host/module_resources.h"
#include "host/type_library.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar {
namespace {

const wchar_t* ocx_path() {
  static const std::wstring path = [] {
    const std::string utf8 = DNOVAR_OCX_PATH;
    return std::wstring(utf8.begin(), utf8.end());
  }();
  return path.c_str();
}

// A name as the library stores it (Windows-1250), in UTF-8.
std::string text_of(BSTR stored) {
  const Bstr owned = Bstr::adopt(stored);
  return stored == nullptr ? ""
                           : text_of_library_bytes(ansi_bytes_of({stored, SysStringLen(stored)}));
}

// A help string as a reader of the library gets it, in UTF-8. The help strings are ASCII
// (library_text.h): what comes back equals them whatever this process's code page is.
std::string help_of(BSTR stored) {
  return Bstr::adopt(stored).utf8();
}

struct Documentation {
  std::string name;
  std::string help;
};

Documentation documentation(ITypeLib& library, int index) {
  BSTR name = nullptr, help = nullptr;
  EXPECT_EQ(library.GetDocumentation(index, &name, &help, nullptr, nullptr), S_OK);
  return {text_of(name), help_of(help)};
}

Documentation documentation(ITypeInfo& type, MEMBERID id) {
  BSTR name = nullptr, help = nullptr;
  EXPECT_EQ(type.GetDocumentation(id, &name, &help, nullptr, nullptr), S_OK);
  return {text_of(name), help_of(help)};
}

class TypeLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_EQ(LoadTypeLibEx(ocx_path(), REGKIND_NONE, library_.put()), S_OK);
  }
  void TearDown() override {
    library_.reset();
    CoUninitialize();
  }
  ComRef<ITypeInfo> type(std::size_t index) {
    ComRef<ITypeInfo> info;
    EXPECT_EQ(library_->GetTypeInfo(static_cast<UINT>(index), info.put()), S_OK);
    return info;
  }
  // The interface flavour of the dual _Dnovar (the library hands out its dispatch flavour).
  ComRef<ITypeInfo> dual_interface() {
    ComRef<ITypeInfo> dispatch = type(kDnovarInterfaceIndex), vtable;
    HREFTYPE reference = 0;
    EXPECT_EQ(dispatch->GetRefTypeOfImplType(-1, &reference), S_OK);
    EXPECT_EQ(dispatch->GetRefTypeInfo(reference, vtable.put()), S_OK);
    return vtable;
  }

  const TypeLibrary& table_ = dnovar_type_library();
  ComRef<ITypeLib> library_;
};

TEST_F(TypeLibraryTest, LibraryAttributesAreTheTables) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, windows_guid(table_.guid)));
  EXPECT_EQ(attributes->lcid, table_.locale);
  EXPECT_EQ(attributes->wMajorVerNum, table_.major_version);
  EXPECT_EQ(attributes->wMinorVerNum, table_.minor_version);
  EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  // The loader adds that the library came from a file.
  EXPECT_EQ(attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, LIBFLAG_FCONTROL);
  library_->ReleaseTLibAttr(attributes);
  const Documentation library = documentation(*library_, -1);
  EXPECT_EQ(library.name, table_.name);
  EXPECT_EQ(library.help, library_help_text(table_.help));
  EXPECT_EQ(library_->GetTypeInfoCount(), table_.types.size());
}

TEST_F(TypeLibraryTest, TypesAreTheTablesInOrder) {
  const std::pair<TypeKind, TYPEKIND> kinds[] = {{TypeKind::dual_interface, TKIND_DISPATCH},
                                                 {TypeKind::coclass, TKIND_COCLASS},
                                                 {TypeKind::dispinterface, TKIND_DISPATCH},
                                                 {TypeKind::enumeration, TKIND_ENUM}};
  for (std::size_t t = 0; t < table_.types.size(); ++t) {
    const TypeInfo& expected = table_.types[t];
    SCOPED_TRACE(expected.name);
    // A dual interface's flags are on its interface flavour.
    ComRef<ITypeInfo> info = t == kDnovarInterfaceIndex ? dual_interface() : type(t);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, windows_guid(expected.guid)));
    EXPECT_EQ(attributes->typekind, t == kDnovarInterfaceIndex ? TKIND_INTERFACE : kinds[t].second);
    EXPECT_EQ(kinds[t].first, expected.kind);
    EXPECT_EQ(attributes->wMajorVerNum, expected.major_version);
    // The dispatchable flag is the library's own on every dispatch interface.
    EXPECT_EQ(attributes->wTypeFlags & ~TYPEFLAG_FDISPATCHABLE,
              expected.flags & ~type_flag::dispatchable & 0xFFFF);
    info->ReleaseTypeAttr(attributes);
    EXPECT_EQ(documentation(*library_, static_cast<int>(t)).name, expected.name);
  }
}

TEST_F(TypeLibraryTest, DualInterfaceMembersAreTheTablesAndMatchTheVtable) {
  const TypeInfo& expected = table_.types[kDnovarInterfaceIndex];
  ComRef<ITypeInfo> info = dual_interface();
  for (std::size_t f = 0; f < expected.functions.size(); ++f) {
    const Function& function = expected.functions[f];
    SCOPED_TRACE(function.name + " " + invoke_kind_name(function.kind));
    FUNCDESC* description = nullptr;
    ASSERT_EQ(info->GetFuncDesc(static_cast<UINT>(f), &description), S_OK);
    EXPECT_EQ(description->memid, function.id);
    EXPECT_EQ(description->wFuncFlags, function.flags);
    EXPECT_EQ(description->oVft / static_cast<SHORT>(sizeof(void*)),
              kDualFirstOwnEntry + static_cast<int>(f));
    const std::size_t result_parameters = function.result == ValueType::none ? 0 : 1;
    ASSERT_EQ(static_cast<std::size_t>(description->cParams),
              function.parameters.size() + result_parameters);
    for (std::size_t p = 0; p < function.parameters.size(); ++p) {
      const TYPEDESC& type = description->lprgelemdescParam[p].tdesc;
      const Parameter& parameter = function.parameters[p];
      const TYPEDESC& value = parameter.by_reference ? *type.lptdesc : type;
      EXPECT_EQ(type.vt == VT_PTR, parameter.by_reference);
      EXPECT_EQ(value.vt, variant_type_of(parameter.type));
      const USHORT flags = description->lprgelemdescParam[p].paramdesc.wParamFlags;
      EXPECT_EQ((flags & PARAMFLAG_FOPT) != 0, (parameter.flags & param_flag::optional) != 0);
      EXPECT_EQ((flags & PARAMFLAG_FOUT) != 0, (parameter.flags & param_flag::out) != 0);
    }
    if (result_parameters == 1) {
      const ELEMDESC& result = description->lprgelemdescParam[function.parameters.size()];
      EXPECT_EQ(result.tdesc.lptdesc->vt, variant_type_of(function.result));
      EXPECT_TRUE(result.paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
    }
    // Names: the function's, then its parameters' as the table has them.
    BSTR names[4] = {};
    UINT count = 0;
    EXPECT_EQ(info->GetNames(function.id, names, 4, &count), S_OK);
    ASSERT_GE(count, 1u);
    EXPECT_EQ(text_of(names[0]), function.name);
    for (UINT n = 1; n < count; ++n) Bstr::adopt(names[n]);
    info->ReleaseFuncDesc(description);
    EXPECT_EQ(documentation(*info, function.id).help, library_help_text(function.help));
  }
}

TEST_F(TypeLibraryTest, ReadAccessorsOfTheFieldsNameTheirValue) {
  ComRef<ITypeInfo> info = dual_interface();
  for (const Function& function : table_.types[kDnovarInterfaceIndex].functions) {
    if (function.kind != InvokeKind::property_get) continue;
    SCOPED_TRACE(function.name);
    FUNCDESC* description = nullptr;
    UINT index = 0;
    while (info->GetFuncDesc(index, &description) == S_OK) {
      const bool found =
          description->memid == function.id && description->invkind == INVOKE_PROPERTYGET;
      info->ReleaseFuncDesc(description);
      if (found) break;
      ++index;
    }
    BSTR names[2] = {};
    UINT count = 0;
    ASSERT_EQ(info->GetNames(function.id, names, 2, &count), S_OK);
    Bstr::adopt(names[0]);
    EXPECT_EQ(count == 2 ? text_of(names[1]) : std::string(), function.result_name);
  }
}

TEST_F(TypeLibraryTest, EventsClassAndMonthsAreTheTables) {
  const TypeInfo& events = table_.types[kDnovarEventsIndex];
  ComRef<ITypeInfo> event_info = type(kDnovarEventsIndex);
  // A dispatch interface lists IDispatch's functions first; the event is the one of its own.
  std::vector<std::pair<MEMBERID, SHORT>> own;
  FUNCDESC* function = nullptr;
  for (UINT f = 0; event_info->GetFuncDesc(f, &function) == S_OK; ++f) {
    if (!(function->memid & 0x60000000)) own.emplace_back(function->memid, function->cParams);
    event_info->ReleaseFuncDesc(function);
  }
  const std::vector<std::pair<MEMBERID, SHORT>> expected_own = {{events.functions[0].id, 0}};
  EXPECT_EQ(own, expected_own);
  const Documentation event = documentation(*event_info, events.functions[0].id);
  EXPECT_EQ(event.name, events.functions[0].name);
  EXPECT_EQ(event.help, library_help_text(events.functions[0].help));

  const TypeInfo& coclass = table_.types[kDnovarClassIndex];
  ComRef<ITypeInfo> class_info = type(kDnovarClassIndex);
  for (std::size_t i = 0; i < coclass.interfaces.size(); ++i) {
    INT flags = 0;
    ASSERT_EQ(class_info->GetImplTypeFlags(static_cast<UINT>(i), &flags), S_OK);
    const std::uint32_t expected = coclass.interfaces[i].flags;
    EXPECT_EQ((flags & IMPLTYPEFLAG_FDEFAULT) != 0, (expected & implementation_flag::is_default));
    EXPECT_EQ((flags & IMPLTYPEFLAG_FSOURCE) != 0, (expected & implementation_flag::source) != 0);
    HREFTYPE reference = 0;
    ComRef<ITypeInfo> implemented;
    ASSERT_EQ(class_info->GetRefTypeOfImplType(static_cast<UINT>(i), &reference), S_OK);
    ASSERT_EQ(class_info->GetRefTypeInfo(reference, implemented.put()), S_OK);
    EXPECT_EQ(documentation(*implemented, MEMBERID_NIL).name, coclass.interfaces[i].name);
  }

  const TypeInfo& months = table_.types[kMonthEnumIndex];
  ComRef<ITypeInfo> month_info = type(kMonthEnumIndex);
  for (std::size_t c = 0; c < months.constants.size(); ++c) {
    VARDESC* description = nullptr;
    ASSERT_EQ(month_info->GetVarDesc(static_cast<UINT>(c), &description), S_OK);
    EXPECT_EQ(V_VT(description->lpvarValue), VT_I4);
    EXPECT_EQ(V_I4(description->lpvarValue), months.constants[c].value);
    const Documentation constant = documentation(*month_info, description->memid);
    month_info->ReleaseVarDesc(description);
    EXPECT_EQ(constant.name, months.constants[c].name);
    EXPECT_EQ(constant.help, library_help_text(months.constants[c].help));
  }
}

std::vector<std::uint8_t> module_resource(HMODULE module, const wchar_t* type,
                                          const wchar_t* name) {
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
  return {bytes, bytes + SizeofResource(module, found)};
}

TEST(LibraryText, CzechLettersLoseTheirDiacriticsAndOtherLettersAreRefused) {
  const std::pair<const char*, const char*> kept[] = {
      {"Český kalendář (svátky)", "Cesky kalendar (svatky)"},
      {"ďábel ŇŤĎ úterý Ůl žluťoučký kůň úpěl ŘÍZNĚ",
       "dabel NTD utery Ul zlutoucky kun upel RIZNE"},
      {"Zobrazení info", "Zobrazeni info"}};
  for (const auto& [written, stored] : kept) EXPECT_EQ(library_help_text(written), stored);
  for (const char* foreign : {"Straße", "5 €", "Łódź"}) {
    try {
      library_help_text(foreign);
      ADD_FAILURE() << foreign;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), error_number::invalid_argument);
    }
  }
}

TEST(ControlModule, ResourcesAreTheTables) {
  HMODULE module = LoadLibraryExW(ocx_path(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module_resource(module, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(30000)),
            toolbox_bitmap());
  EXPECT_EQ(module_resource(module, L"CUSTOM", L"_IID_DNOVAR"),
            interface_id_record(kDnovarInterfaceId));
  EXPECT_EQ(module_resource(module, L"CUSTOM", L"_SRCIID_DNOVAR"),
            interface_id_record(kDnovarEventsId));
  FreeLibrary(module);

  const DWORD size = GetFileVersionInfoSizeW(ocx_path(), nullptr);
  std::vector<std::uint8_t> version(size);
  ASSERT_TRUE(GetFileVersionInfoW(ocx_path(), 0, size, version.data()));
  for (const auto& [key, value] : version_record()) {
    const std::wstring path =
        L"\\StringFileInfo\\040904B0\\" + std::wstring(key.begin(), key.end());
    wchar_t* found = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(version.data(), path.c_str(), reinterpret_cast<void**>(&found), &length))
        << key;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, found, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, found, -1, text.data(), bytes, nullptr, nullptr);
    EXPECT_EQ(text.c_str(), value) << key;
  }
}

}  // namespace
}  // namespace dnovar
