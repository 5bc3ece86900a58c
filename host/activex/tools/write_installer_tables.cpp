// Writes the registration of the control's installer (dnovar-<version>-<arch>.msi): the rows of
// its Registry table, from the list DllRegisterServer writes (registration_values), so that
// installing writes the same keys as self-registration, with the installed file's path where the
// list has the module's.
//   dnovar-installer-tables OUTPUT_FOLDER win32|win64 FILE_ID FOLDER_ID
// FILE_ID is the installer's id of dnovar.ocx, FOLDER_ID the id of the folder it goes to. Writes
// registry.wxi, the rows as WiX RegistryValue elements, and registry-text.sql: wixl stores no
// text outside ASCII (the type library's Czech help string), so the rows that hold such text are
// set again afterwards, one SQL UPDATE per line, in a database given a code page (Windows-1250).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "host/activex/activex_registration.h"
#include "platform/wide_text.h"

namespace {

// Where the list is asked to register the module: its values naming this folder or file become
// the installer's references to the installed ones.
const std::filesystem::path kPlaceholderFolder = L"C:\\dnovar-installer-placeholder";

struct Target {
  std::wstring system;  // the type library's platform key: win32 or win64
  std::wstring file_id;
  std::wstring folder_id;
};

// The value as literal text of the installer's formatted type, in which [ and ] are references.
std::wstring literal(const std::wstring& text) {
  std::wstring escaped;
  for (const wchar_t c : text) {
    if (c == L'[' || c == L']')
      escaped += std::wstring(L"[\\") + c + L"]";
    else
      escaped += c;
  }
  return escaped;
}

std::wstring installer_value(const std::wstring& data, const Target& target) {
  const std::wstring module = (kPlaceholderFolder / L"dnovar.ocx").wstring();
  const std::wstring folder = kPlaceholderFolder.wstring();
  if (data.rfind(module, 0) == 0)
    return L"[#" + target.file_id + L"]" + literal(data.substr(module.size()));
  // A folder property ends with a backslash.
  if (data == folder) return L"[" + target.folder_id + L"]";
  if (data.find(folder) != std::wstring::npos)
    throw std::runtime_error("a value naming the module in a way the installer cannot write: " +
                             dnovar::utf8_text(data));
  return literal(data);
}

// The list's keys are the running program's: a type library's platform key (win64 in
// TypeLib\{id}\1.0\0\win64) is the one part that depends on the module's bitness.
std::wstring installer_key(std::wstring key, const Target& target) {
  for (const std::wstring system : {L"win32", L"win64"}) {
    const std::wstring part = L"\\0\\" + system;
    if (key.size() >= part.size() && key.compare(key.size() - part.size(), part.size(), part) == 0)
      return key.substr(0, key.size() - system.size()) + target.system;
  }
  return key;
}

std::string xml(const std::wstring& text) {
  std::string escaped;
  for (const char c : dnovar::utf8_text(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

bool ascii(const std::wstring& text) {
  for (const wchar_t c : text) {
    if (c > 0x7F) return false;
  }
  return true;
}

struct Tables {
  std::string elements;  // registry.wxi
  std::string updates;   // registry-text.sql
};

Tables registry_tables(const Target& target) {
  Tables tables;
  tables.elements =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!-- Written by dnovar-installer-tables from the control's registration; do not edit. -->\n"
      "<Include>\n";
  int row = 0;
  for (const dnovar::RegistryValue& value :
       dnovar::registration_values(kPlaceholderFolder / L"dnovar.ocx")) {
    // A key other components share (a component category's description) is theirs: an installer
    // would remove it on uninstalling, whoever else relies on it.
    if (value.shared) continue;
    const std::string id = "dnovar_registry_" + std::to_string(++row);
    const std::wstring key = installer_key(value.key, target);
    const std::wstring data = installer_value(value.data, target);
    if (!ascii(key) || !ascii(value.name))
      throw std::runtime_error("a key or name outside ASCII: " + dnovar::utf8_text(key));
    if (!ascii(data)) {
      if (data.find(L'\'') != std::wstring::npos)
        throw std::runtime_error("a quote in text outside ASCII: " + dnovar::utf8_text(data));
      tables.updates += "UPDATE `Registry` SET `Value` = '" + dnovar::utf8_text(data) +
                        "' WHERE `Registry` = '" + id + "'\n";
    }
    // An empty default value: the installer cannot write an empty string, it creates the key
    // (and removes it again), which readers of the default value cannot tell apart.
    const bool key_only = value.name.empty() && value.data.empty();
    if (!key_only && value.data.empty())
      throw std::runtime_error("an empty named value: " + dnovar::utf8_text(value.name));
    tables.elements += "  <RegistryValue Id=\"" + id + "\" Root=\"HKCR\" Key=\"" + xml(key) +
                       "\" Name=\"" + (key_only ? std::string("*") : xml(value.name)) +
                       "\" Value=\"" + xml(data) + "\" Type=\"string\"/>\n";
  }
  tables.elements += "</Include>\n";
  return tables;
}

void write_text(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || (std::string(argv[2]) != "win32" && std::string(argv[2]) != "win64")) {
    std::fprintf(stderr,
                 "usage: dnovar-installer-tables OUTPUT_FOLDER win32|win64 FILE_ID FOLDER_ID\n");
    return 2;
  }
  try {
    const Target target{dnovar::wide_text(argv[2]), dnovar::wide_text(argv[3]),
                        dnovar::wide_text(argv[4])};
    const Tables tables = registry_tables(target);
    const std::filesystem::path folder = argv[1];
    write_text(folder / "registry.wxi", tables.elements);
    write_text(folder / "registry-text.sql", tables.updates);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dnovar-installer-tables: %s\n", error.what());
    return 1;
  }
}
