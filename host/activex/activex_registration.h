// What DllRegisterServer enters into the registry and DllUnregisterServer takes out again: the
// class, its ProgIDs, verbs and component categories, the type library and the two interfaces,
// all described by one list of keys.
// Registered for the machine when the process may write there (an elevated installer), else for
// the user (HKCU\Software\Classes), which Windows merges into HKEY_CLASSES_ROOT for that user.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include <oleidl.h>

namespace dnovar {

// What containers read before they place the control (IOleObject::GetMiscStatus and the
// registry): it activates as soon as it is visible, inside-out, wants its client site before it
// is loaded, redraws when resized and has nothing to link to inside.
inline constexpr DWORD kControlMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                            OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                            OLEMISC_SETCLIENTSITEFIRST;

struct RegistryValue {
  std::wstring key;   // below the classes root
  std::wstring name;  // empty: the key's default value
  std::wstring data;
  // A key other components share (a component category's description): written only where the
  // registry lacks it, and removed again only by the registration that wrote it.
  bool shared = false;
};

// The versioned ProgID, the one the class names; kDnovarProgId is its version-independent one.
inline constexpr wchar_t kVersionedProgId[] = L"DnovarLib.Dnovar.1";

// Every value the control's registration writes, for a module at `module_path`. The first key of
// each tree is the one unregistering removes.
std::vector<RegistryValue> registration_values(const std::filesystem::path& module_path);
// The trees the registration owns and unregistering removes, in the order to remove them (shared
// keys apart).
std::vector<std::wstring> registration_trees();

// S_OK, or the failure of the first value that could not be written (what was written stays, and
// is removed again).
HRESULT register_control(const std::filesystem::path& module_path);
// Removes the registration from the machine's and the user's classes; S_OK when neither holds it
// (any more).
HRESULT unregister_control();

}  // namespace dnovar
