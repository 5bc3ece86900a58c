// Checks the control's registration in the registry (HKEY_CLASSES_ROOT, as hosts read it) against
// the list DllRegisterServer writes (registration_values), as an installer left it:
//   dnovar-installed-registration-check present MODULE   every value, naming the module MODULE
//   dnovar-installed-registration-check absent           none of the registration's trees
// Prints each difference; the exit status is 0 when there is none.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "host/activex/activex_registration.h"
#include "platform/wide_text.h"

namespace {

std::optional<std::wstring> read_value(const std::wstring& key, const std::wstring& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring data(1024, L'\0');
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  const LONG status = RegQueryValueExW(opened, name.empty() ? nullptr : name.c_str(), nullptr,
                                       &type, reinterpret_cast<BYTE*>(data.data()), &size);
  RegCloseKey(opened);
  // A key without its default value reads as empty, as readers of the default value see it.
  if (status == ERROR_FILE_NOT_FOUND && name.empty()) return std::wstring();
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  data.resize(size / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  return data;
}

// The installer names the module's folder as Windows Installer names folders, with a final
// backslash; DllRegisterServer without one. Both name the same folder.
bool same_data(const std::wstring& found, const std::wstring& expected) {
  return found == expected || found == expected + L"\\";
}

void report(const char* what, const dnovar::RegistryValue& value, const std::wstring& found) {
  std::printf("%s: HKCR\\%s [%s] = \"%s\", expected \"%s\"\n", what,
              dnovar::utf8_text(value.key).c_str(), dnovar::utf8_text(value.name).c_str(),
              dnovar::utf8_text(found).c_str(), dnovar::utf8_text(value.data).c_str());
}

int check_present(const std::filesystem::path& module) {
  int differences = 0;
  for (const dnovar::RegistryValue& value : dnovar::registration_values(module)) {
    if (value.shared) continue;  // the installer leaves shared keys to their owners
    const std::optional<std::wstring> found = read_value(value.key, value.name);
    if (!found) {
      report("missing", value, L"");
      ++differences;
    } else if (!same_data(*found, value.data)) {
      report("different", value, *found);
      ++differences;
    }
  }
  return differences;
}

int check_absent() {
  int left = 0;
  for (const std::wstring& tree : dnovar::registration_trees()) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, tree.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS) {
      RegCloseKey(opened);
      std::printf("left: HKCR\\%s\n", dnovar::utf8_text(tree).c_str());
      ++left;
    }
  }
  return left;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "present" && argc == 3) return check_present(argv[2]) == 0 ? 0 : 1;
  if (mode == "absent" && argc == 2) return check_absent() == 0 ? 0 : 1;
  std::fprintf(stderr, "usage: dnovar-installed-registration-check present MODULE | absent\n");
  return 2;
}
