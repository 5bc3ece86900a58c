#include "component/registry.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <vector>

#include "component/file_io.h"
#include "component/file_lock.h"
#include "platform/ascii_case.h"
#include "platform/environment.h"
#include "platform/error.h"

namespace dnovar {

namespace {

using nlohmann::json;

constexpr std::size_t kMaxRegistryBytes = 4 * 1024 * 1024;
constexpr const char* kFormat = "dnovar-registry";

struct Contents {
  std::vector<ClassRegistration> classes;
  std::vector<std::pair<std::string, Guid>> prog_ids;
};

[[noreturn]] void raise_malformed(const std::filesystem::path& file, const std::string& what) {
  throw RuntimeError(error_number::invalid_file_format,
                     "Invalid file format: registry " + path_text(file) + ": " + what);
}

const json& member(const json& object, const char* name, json::value_t type,
                   const std::filesystem::path& file) {
  const auto found = object.find(name);
  if (found == object.end()) raise_malformed(file, std::string("missing \"") + name + "\"");
  if (found->type() != type)
    raise_malformed(file, std::string("\"") + name + "\" has the wrong type");
  return *found;
}

Guid guid_member(const json& object, const char* name, const std::filesystem::path& file) {
  const auto guid =
      parse_guid(member(object, name, json::value_t::string, file).get<std::string>());
  if (!guid) raise_malformed(file, std::string("\"") + name + "\" is not a GUID");
  return *guid;
}

std::string text_member(const json& object, const char* name, const std::filesystem::path& file) {
  return member(object, name, json::value_t::string, file).get<std::string>();
}

Contents read_contents(const std::filesystem::path& file) {
  if (!std::filesystem::exists(file)) return {};
  const std::string text = read_file(file, kMaxRegistryBytes);
  // JSON has no place for a raw NUL byte; the parser would take one for the end of the text.
  if (text.find('\0') != std::string::npos) raise_malformed(file, "a NUL byte in the text");
  // Keep the parser's own message: it says where the text went wrong.
  json root;
  try {
    root = json::parse(text);
  } catch (const json::exception& error) {
    raise_malformed(file, error.what());
  }
  if (!root.is_object()) raise_malformed(file, "not a JSON object");
  if (text_member(root, "format", file) != kFormat)
    raise_malformed(file, "not a dnovar-registry file");
  if (member(root, "version", json::value_t::number_unsigned, file).get<std::uint64_t>() != 1) {
    raise_malformed(file, "unsupported version");
  }
  Contents contents;
  for (const json& entry : member(root, "classes", json::value_t::array, file)) {
    if (!entry.is_object()) raise_malformed(file, "a class entry is not an object");
    contents.classes.push_back(ClassRegistration{
        guid_member(entry, "clsid", file), text_member(entry, "prog_id", file),
        path_from_text(text_member(entry, "module", file)),
        guid_member(entry, "type_library", file), text_member(entry, "version", file)});
  }
  for (const json& entry : member(root, "prog_ids", json::value_t::array, file)) {
    if (!entry.is_object()) raise_malformed(file, "a ProgID entry is not an object");
    contents.prog_ids.emplace_back(text_member(entry, "prog_id", file),
                                   guid_member(entry, "clsid", file));
  }
  return contents;
}

void write_contents(const std::filesystem::path& file, const Contents& contents) {
  json classes = json::array();
  for (const ClassRegistration& entry : contents.classes) {
    classes.push_back({{"clsid", format_guid(entry.clsid)},
                       {"prog_id", entry.prog_id},
                       {"module", path_text(entry.module)},
                       {"type_library", format_guid(entry.type_library)},
                       {"version", entry.version}});
  }
  json prog_ids = json::array();
  for (const auto& [prog_id, clsid] : contents.prog_ids) {
    prog_ids.push_back({{"prog_id", prog_id}, {"clsid", format_guid(clsid)}});
  }
  const json root = {
      {"format", kFormat}, {"version", 1}, {"classes", classes}, {"prog_ids", prog_ids}};
  std::string text;
  try {
    text = root.dump(2) + "\n";
  } catch (const json::exception& error) {
    // Only text that is not UTF-8 (a module path, a ProgID) fails to dump.
    throw RuntimeError(error_number::invalid_argument,
                       std::string("Invalid procedure call or argument: ") + error.what());
  }
  replace_file(file, text, MissingFolder::create);
}

}  // namespace

Registry::Registry(std::filesystem::path file) : file_(std::move(file)) {
  if (file_.empty()) {
    throw RuntimeError(error_number::invalid_argument,
                       "Invalid procedure call or argument: the registry's file name is empty");
  }
}

std::filesystem::path Registry::lock_file() const {
  std::filesystem::path lock = file_;
  lock += ".lock";
  return lock;
}

std::filesystem::path Registry::default_path() {
  if (auto named = environment_path("DNOVAR_REGISTRY")) return *named;
  if (auto data = user_data_folder()) return *data / "dnovar" / "registry.json";
  throw RuntimeError(
      error_number::invalid_argument,
      std::string("No registry: DNOVAR_REGISTRY is not set, nor ") + kUserDataVariables);
}

void Registry::register_class(const ClassRegistration& registration) {
  const FileLock lock(lock_file(), kLockTimeout);
  Contents contents = read_contents(file_);
  std::erase_if(contents.classes,
                [&](const ClassRegistration& entry) { return entry.clsid == registration.clsid; });
  contents.classes.push_back(registration);
  // The ProgID moves to this class; a ProgID this class had before goes with its old entry.
  std::erase_if(contents.prog_ids, [&](const auto& entry) {
    return equal_ignoring_ascii_case(entry.first, registration.prog_id) ||
           entry.second == registration.clsid;
  });
  if (!registration.prog_id.empty())
    contents.prog_ids.emplace_back(registration.prog_id, registration.clsid);
  write_contents(file_, contents);
}

bool Registry::unregister_class(const Guid& clsid) {
  const FileLock lock(lock_file(), kLockTimeout);
  Contents contents = read_contents(file_);
  // A ProgID that another class took over since stays with that class.
  const auto removed =
      std::erase_if(contents.classes,
                    [&](const ClassRegistration& entry) { return entry.clsid == clsid; }) +
      std::erase_if(contents.prog_ids, [&](const auto& entry) { return entry.second == clsid; });
  if (removed > 0) write_contents(file_, contents);
  return removed > 0;
}

std::optional<ClassRegistration> Registry::find_class(const Guid& clsid) const {
  for (ClassRegistration& entry : read_contents(file_).classes) {
    if (entry.clsid == clsid) return std::move(entry);
  }
  return std::nullopt;
}

std::optional<Guid> Registry::find_prog_id(std::string_view prog_id) const {
  for (const auto& [name, clsid] : read_contents(file_).prog_ids) {
    if (equal_ignoring_ascii_case(name, prog_id)) return clsid;
  }
  return std::nullopt;
}

std::vector<ClassRegistration> Registry::classes() const {
  return read_contents(file_).classes;
}

}  // namespace dnovar
