// What hosts read of the registered dnovar.ocx before and around creating it: the ProgIDs, the
// verbs and user types (IOleObject leaves both to the registry), the component categories, and
// what IObjectSafety promises for each interface.
#include <gtest/gtest.h>

#include <windows.h>

#include <comcat.h>
#include <objsafe.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "host/activex/activex_registration.h"
#include "host/activex/com_guid.h"
#include "host/activex/library_text.h"
#include "host/activex/object_safety.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {
namespace {

const CLSID kClass = windows_guid(kDnovarClassId);

std::wstring taken(LPOLESTR text) {
  std::wstring result = text != nullptr ? text : L"";
  CoTaskMemFree(text);
  return result;
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(RegistrationTest, BothProgIdsNameTheClassAndTheClassNamesTheVersionedOne) {
  for (const wchar_t* prog_id : {kVersionedProgId, L"DnovarLib.Dnovar"}) {
    SCOPED_TRACE(utf8_text(prog_id));
    CLSID found{};
    ASSERT_EQ(CLSIDFromProgID(prog_id, &found), S_OK);
    EXPECT_TRUE(IsEqualCLSID(found, kClass));
  }
  LPOLESTR prog_id = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(kClass, &prog_id), S_OK);
  EXPECT_EQ(taken(prog_id), kVersionedProgId);
}

TEST_F(RegistrationTest, HostsListTheVerbsTheObjectLeavesToTheRegistry) {
  ComRef<IOleObject> object;
  ASSERT_EQ(
      CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object.put_void()),
      S_OK);
  ComRef<IEnumOLEVERB> from_object;
  ASSERT_EQ(object->EnumVerbs(from_object.put()), OLE_S_USEREG);
  ComRef<IEnumOLEVERB> verbs;
  ASSERT_EQ(OleRegEnumVerbs(kClass, verbs.put()), S_OK);
  std::vector<OLEVERB> listed;
  OLEVERB verb{};
  while (verbs->Next(1, &verb, nullptr) == S_OK) listed.push_back(verb);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].lVerb, OLEIVERB_PRIMARY);
  EXPECT_STREQ(listed[0].lpszVerbName, L"&Edit");
  EXPECT_EQ(listed[0].fuFlags, 0u);
  EXPECT_EQ(listed[0].grfAttribs, static_cast<DWORD>(OLEVERBATTRIB_ONCONTAINERMENU));
  CoTaskMemFree(listed[0].lpszVerbName);
  // The verb the list names is one the object does.
  EXPECT_EQ(object->DoVerb(listed[0].lVerb, nullptr, nullptr, 0, nullptr, nullptr), E_UNEXPECTED)
      << "a primary verb without a site is the caller's mistake, not an unknown verb";

  const std::pair<DWORD, const wchar_t*> user_types[] = {{USERCLASSTYPE_FULL, L"Dnovar"},
                                                         {USERCLASSTYPE_SHORT, L"Dnovar"},
                                                         {USERCLASSTYPE_APPNAME, L"dnovar"}};
  for (const auto& [form, expected] : user_types) {
    LPOLESTR from_registry = nullptr, from_object_text = nullptr;
    ASSERT_EQ(OleRegGetUserType(kClass, form, &from_registry), S_OK) << form;
    EXPECT_EQ(taken(from_registry), expected) << form;
    EXPECT_EQ(object->GetUserType(form, &from_object_text), OLE_S_USEREG);
  }
}

TEST_F(RegistrationTest, TheClassImplementsBothSafetyCategories) {
  ComRef<ICatInformation> categories;
  ASSERT_EQ(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ICatInformation, categories.put_void()),
            S_OK);
  CATID safe[] = {CATID_SafeForScripting, CATID_SafeForInitializing};
  EXPECT_EQ(categories->IsClassOfCategories(kClass, 2, safe, 0, safe), S_OK);
  for (CATID& category : safe) {
    LPWSTR description = nullptr;
    EXPECT_EQ(categories->GetCategoryDesc(category, 0x409, &description), S_OK);
    EXPECT_FALSE(taken(description).empty());
  }
}

TEST_F(RegistrationTest, ObjectSafetyPromisesWhatEachInterfaceIsSafeFor) {
  ComRef<IObjectSafety> safety;
  ASSERT_EQ(
      CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IObjectSafety, safety.put_void()),
      S_OK);
  constexpr DWORD caller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
  constexpr DWORD data = INTERFACESAFE_FOR_UNTRUSTED_DATA;
  const struct {
    IID iid;
    DWORD supported;
  } cases[] = {{IID_IDispatch, caller},
               {windows_guid(kDnovarInterfaceId), caller},
               {IID_IPersistPropertyBag, data},
               {IID_IPersistStreamInit, data},
               {IID_IPersist, data},
               {IID_IOleObject, 0},
               {IID_IPersistStorage, 0}};
  for (const auto& [iid, supported] : cases) {
    wchar_t name[40] = {};
    StringFromGUID2(iid, name, 40);
    SCOPED_TRACE(utf8_text(name));
    DWORD offered = 99, enabled = 99;
    if (supported == 0) {
      EXPECT_EQ(safety->GetInterfaceSafetyOptions(iid, &offered, &enabled), E_NOINTERFACE);
      EXPECT_EQ(safety->SetInterfaceSafetyOptions(iid, caller, caller), E_NOINTERFACE);
      continue;
    }
    ASSERT_EQ(safety->GetInterfaceSafetyOptions(iid, &offered, &enabled), S_OK);
    EXPECT_EQ(offered, supported);
    EXPECT_EQ(enabled, 0u);
    // What the interface lacks is refused and changes nothing; what it has is taken.
    const DWORD other = supported ^ (caller | data);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(iid, other, other), E_FAIL);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(iid, supported, supported), S_OK);
    ASSERT_EQ(safety->GetInterfaceSafetyOptions(iid, &offered, &enabled), S_OK);
    EXPECT_EQ(enabled, supported);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(iid, supported, 0), S_OK);
    ASSERT_EQ(safety->GetInterfaceSafetyOptions(iid, &offered, &enabled), S_OK);
    EXPECT_EQ(enabled, 0u);
  }
}

TEST_F(RegistrationTest, TheRegisteredLibraryReadsAsWrittenInThisCodePage) {
  const TypeLibrary& table = dnovar_type_library();
  ComRef<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(windows_guid(table.guid), table.major_version, table.minor_version,
                           LOCALE_USER_DEFAULT, library.put()),
            S_OK);
  Bstr help;
  ASSERT_EQ(library->GetDocumentation(-1, nullptr, help.put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(help.utf8(), library_help_text(table.help)) << "code page " << GetACP();
}

}  // namespace
}  // namespace dnovar
