#include "host/activex/activex_registration.h"

#include <olectl.h>

#include <utility>

#include "host/activex/com_guid.h"
#include "host/module_resources.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes";
// The standard marshaller of automation interfaces (oleaut32's PSOAInterface).
constexpr wchar_t kAutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";
// The control reads nothing but its own properties and reports a hostile value as an error
// (object_safety.h): safe for scripting and for initialising from data.
constexpr std::pair<const wchar_t*, const wchar_t*> kCategories[] = {
    {L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}", L"Controls safely scriptable!"},
    {L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
     L"Controls safely initializable from persistent data!"},
};
// Marks a shared key this registration made, so that unregistering removes it and no other.
constexpr wchar_t kMadeBy[] = L"Dnovar.Registered";

std::wstring text(const Guid& guid) {
  return wide_text(format_guid(guid));
}

std::wstring library_key() {
  return L"TypeLib\\" + text(kDnovarLibraryId);
}

// The classes root this process may write: the machine's, else the user's.
HKEY open_writable_classes() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY classes = nullptr;
    if (RegCreateKeyExW(root, kClasses, 0, nullptr, 0, KEY_WRITE | KEY_READ, nullptr, &classes,
                        nullptr) == ERROR_SUCCESS) {
      return classes;
    }
  }
  return nullptr;
}

LONG write_value(HKEY classes, const RegistryValue& value) {
  HKEY key = nullptr;
  LONG status =
      RegCreateKeyExW(classes, value.key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.data.c_str()),
                          static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status;
}

bool key_exists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// Removes the shared keys that carry this registration's mark.
void remove_shared(HKEY classes) {
  for (const RegistryValue& value : registration_values({})) {
    if (!value.shared) continue;
    HKEY key = nullptr;
    if (RegOpenKeyExW(classes, value.key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    const bool ours =
        RegQueryValueExW(key, kMadeBy, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!ours) continue;
    RegDeleteTreeW(classes, value.key.c_str());
    RegDeleteKeyW(classes, value.key.c_str());
  }
}

// Removes `tree` below `classes`, and its parent when that is left empty and ours (the type
// library's key holds one key per version).
void remove_tree(HKEY classes, const std::wstring& tree) {
  RegDeleteTreeW(classes, tree.c_str());
  RegDeleteKeyW(classes, tree.c_str());
  if (tree.rfind(library_key(), 0) == 0 && tree != library_key())
    RegDeleteKeyW(classes, library_key().c_str());  // fails, as it should, while not empty
}

}  // namespace

std::vector<RegistryValue> registration_values(const std::filesystem::path& module_path) {
  const std::wstring clsid = L"CLSID\\" + text(kDnovarClassId);
  const std::wstring prog_id = wide_text(kDnovarProgId);
  const std::wstring versioned = kVersionedProgId;
  const std::wstring library = text(kDnovarLibraryId);
  const std::wstring module = module_path.wstring();
  std::wstring folder = module_path.parent_path().wstring();
  const std::wstring version = L"1.0";
  // The library's entry is the one its own description names: a 64-bit module's is win64.
  const std::wstring system = sizeof(void*) == 8 ? L"win64" : L"win32";
  std::vector<RegistryValue> values = {
      {clsid, L"", L"Dnovar"},
      {clsid + L"\\InprocServer32", L"", module},
      {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsid + L"\\ProgID", L"", versioned},
      {clsid + L"\\VersionIndependentProgID", L"", prog_id},
      {clsid + L"\\Control", L"", L""},
      {clsid + L"\\MiscStatus", L"", L"0"},
      {clsid + L"\\MiscStatus\\1", L"", std::to_wstring(kControlMiscStatus)},
      {clsid + L"\\ToolboxBitmap32", L"", module + L", 30000"},
      {clsid + L"\\TypeLib", L"", library},
      {clsid + L"\\Version", L"", version},
      // What containers list in their menus: the primary verb (activate), flags 0 (a plain
      // item), 2 (OLEVERBATTRIB_ONCONTAINERMENU).
      {clsid + L"\\Verb\\0", L"", L"&Edit,0,2"},
      {clsid + L"\\AuxUserType\\2", L"", L"Dnovar"},
      {clsid + L"\\AuxUserType\\3", L"", module_path.stem().wstring()},
      {versioned, L"", L"Dnovar"},
      {versioned + L"\\CLSID", L"", text(kDnovarClassId)},
      {prog_id, L"", L"Dnovar"},
      {prog_id + L"\\CLSID", L"", text(kDnovarClassId)},
      {prog_id + L"\\CurVer", L"", versioned},
      {library_key() + L"\\1.0", L"", wide_text(dnovar_type_library().help)},
      {library_key() + L"\\1.0\\0\\" + system, L"", module},
      {library_key() + L"\\1.0\\FLAGS", L"", L"2"},  // a control's library
      {library_key() + L"\\1.0\\HELPDIR", L"", folder},
  };
  for (const auto& [category, description] : kCategories) {
    values.push_back({clsid + L"\\Implemented Categories\\" + category, L"", L""});
    values.push_back(
        {std::wstring(L"Component Categories\\") + category, L"409", description, true});
  }
  const std::pair<Guid, const wchar_t*> interfaces[] = {{kDnovarInterfaceId, L"_Dnovar"},
                                                        {kDnovarEventsId, L"__Dnovar"}};
  for (const auto& [guid, name] : interfaces) {
    const std::wstring key = L"Interface\\" + text(guid);
    values.push_back({key, L"", name});
    values.push_back({key + L"\\ProxyStubClsid", L"", kAutomationMarshaller});
    values.push_back({key + L"\\ProxyStubClsid32", L"", kAutomationMarshaller});
    values.push_back({key + L"\\TypeLib", L"", library});
    values.push_back({key + L"\\TypeLib", L"Version", version});
  }
  return values;
}

std::vector<std::wstring> registration_trees() {
  return {L"CLSID\\" + text(kDnovarClassId),
          kVersionedProgId,
          wide_text(kDnovarProgId),
          library_key() + L"\\1.0",
          L"Interface\\" + text(kDnovarInterfaceId),
          L"Interface\\" + text(kDnovarEventsId)};
}

HRESULT register_control(const std::filesystem::path& module_path) {
  HKEY classes = open_writable_classes();
  if (classes == nullptr) return SELFREG_E_CLASS;
  const std::vector<RegistryValue> values = registration_values(module_path);
  // Decided before writing: a shared key is ours only where nobody had made it.
  std::vector<bool> skip;
  for (const RegistryValue& value : values)
    skip.push_back(value.shared && key_exists(HKEY_CLASSES_ROOT, value.key));
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (skip[i]) continue;
    LONG status = write_value(classes, values[i]);
    if (status == ERROR_SUCCESS && values[i].shared)
      status = write_value(classes, {values[i].key, kMadeBy, kVersionedProgId});
    if (status != ERROR_SUCCESS) {
      for (const std::wstring& tree : registration_trees()) remove_tree(classes, tree);
      remove_shared(classes);
      RegCloseKey(classes);
      return HRESULT_FROM_WIN32(status);
    }
  }
  RegCloseKey(classes);
  return S_OK;
}

HRESULT unregister_control() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY classes = nullptr;
    if (RegOpenKeyExW(root, kClasses, 0, KEY_READ | KEY_WRITE, &classes) != ERROR_SUCCESS) continue;
    for (const std::wstring& tree : registration_trees()) remove_tree(classes, tree);
    remove_shared(classes);
    RegCloseKey(classes);
  }
  return S_OK;
}

}  // namespace dnovar
