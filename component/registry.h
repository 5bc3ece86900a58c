// The component registry: which module implements a class, and which class a ProgID names.
//
// One JSON file, read on every lookup and rewritten on every change (it holds a handful of
// entries):
//   {"format": "dnovar-registry", "version": 1,
//    "classes": [{"clsid": "{...}", "prog_id": "DnovarLib.Dnovar", "module": "/abs/libdnovar.so",
//                 "type_library": "{...}", "version": "1.0"}],
//    "prog_ids": [{"prog_id": "DnovarLib.Dnovar", "clsid": "{...}"}]}
// A ProgID maps to the class that registered it last. Unregistering a class removes its class
// entry and its ProgID entry only while that ProgID still names it, so another module's entries
// survive. A missing file is an empty registry. A file that is not such a registry raises error
// 321 naming the file and what is wrong; nothing is changed then. A change is written to a new
// file in the same folder and renamed over the old one, so a reader sees the old registry or the
// new, never half of one. A change holds an advisory lock on FILE.lock beside the registry from
// reading to writing, so changes made at the same instant by several processes all arrive; a
// writer waits for the lock at most kLockTimeout and then raises 75.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "component/guid.h"

namespace dnovar {

struct ClassRegistration {
  Guid clsid{};
  std::string prog_id{};
  std::filesystem::path module{};
  Guid type_library{};
  std::string version{};  // of the type library, "1.0"
  friend bool operator==(const ClassRegistration&, const ClassRegistration&) = default;
};

class Registry {
 public:
  // Raises 5 for an empty file name.
  explicit Registry(std::filesystem::path file);

  static constexpr std::chrono::milliseconds kLockTimeout{10000};

  // $DNOVAR_REGISTRY, else $XDG_DATA_HOME/dnovar/registry.json, else
  // $HOME/.local/share/dnovar/registry.json; raises error 5 when none of the three is set.
  static std::filesystem::path default_path();

  const std::filesystem::path& file() const { return file_; }
  // The file a change locks: the registry's name with ".lock" added.
  std::filesystem::path lock_file() const;

  // Enters (or replaces) the class and points its ProgID at it. Raises 321 for a malformed file,
  // 75 when the file cannot be written.
  void register_class(const ClassRegistration& registration);
  // Removes what register_class entered for the class; false when it was not registered.
  bool unregister_class(const Guid& clsid);

  std::optional<ClassRegistration> find_class(const Guid& clsid) const;
  std::optional<Guid> find_prog_id(std::string_view prog_id) const;
  std::vector<ClassRegistration> classes() const;

 private:
  std::filesystem::path file_{};
};

}  // namespace dnovar
