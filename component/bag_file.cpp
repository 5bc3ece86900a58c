#include "component/bag_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <unordered_set>
#include <utility>

#include "component/file_io.h"
#include "platform/ascii_case.h"
#include "platform/date_text.h"
#include "platform/error.h"

namespace dnovar {

const Variant* MemoryBag::find(std::string_view key) const {
  for (const Entry& entry : entries_) {
    if (equal_ignoring_ascii_case(entry.key, key)) return &entry.value;
  }
  return nullptr;
}

void MemoryBag::set(std::string_view key, Variant value) {
  for (Entry& entry : entries_) {
    if (equal_ignoring_ascii_case(entry.key, key)) {
      entry.value = std::move(value);
      return;
    }
  }
  entries_.push_back(Entry{std::string(key), std::move(value)});
}

bool MemoryBag::erase(std::string_view key) {
  return std::erase_if(entries_, [key](const Entry& entry) {
           return equal_ignoring_ascii_case(entry.key, key);
         }) > 0;
}

Variant MemoryBag::read(std::string_view key, const Variant& default_value) {
  const Variant* stored = find(key);
  return stored != nullptr ? *stored : default_value;
}

void MemoryBag::write(std::string_view key, const Variant& value, const Variant& default_value) {
  if (value.same_value(default_value)) {
    erase(key);
  } else {
    set(key, value);
  }
}

namespace {

using nlohmann::json;

constexpr const char* kFormat = "dnovar-bag";
constexpr std::size_t kMaxDepth = 3;  // document, property list, property

// Raises 321 with the origin and, once known, the property the problem is in.
class Rejecter {
 public:
  explicit Rejecter(std::string_view origin) : origin_(origin) {}
  void at_property(std::size_t index, std::string key) {
    where_ = "property " + std::to_string(index + 1);
    if (!key.empty()) where_ += " (\"" + key + "\")";
  }
  [[noreturn]] void reject(const std::string& what) const {
    std::string message = "Invalid file format: " + origin_ + ": ";
    if (!where_.empty()) message += where_ + ": ";
    throw RuntimeError(error_number::invalid_file_format, message + what);
  }

 private:
  std::string origin_;
  std::string where_;
};

// Rejects nesting deeper than the format has before the parser sees it.
void check_depth(std::string_view text, const Rejecter& rejecter) {
  std::size_t depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_string) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxDepth) rejecter.reject("nested deeper than a property bag is");
    } else if ((c == '}' || c == ']') && depth > 0) {
      --depth;
    }
  }
}

json parse_json(std::string_view text, const Rejecter& rejecter) {
  if (text.size() > kMaxBagBytes) {
    rejecter.reject("larger than " + std::to_string(kMaxBagBytes) + " bytes");
  }
  // JSON has no place for a raw NUL byte, and the parser would take one for the end of the text.
  if (text.find('\0') != std::string_view::npos) rejecter.reject("a NUL byte in the text");
  check_depth(text, rejecter);
  // The parser keeps the last of two equal keys; the callback makes a duplicate an error instead.
  std::vector<std::set<std::string>> open_objects;
  const auto reject_duplicates = [&](int, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::object_start) {
      open_objects.emplace_back();
    } else if (event == json::parse_event_t::object_end) {
      open_objects.pop_back();
    } else if (event == json::parse_event_t::key &&
               !open_objects.back().insert(parsed.get<std::string>()).second) {
      rejecter.reject("the member \"" + parsed.get<std::string>() + "\" appears twice");
    }
    return true;
  };
  try {
    return json::parse(text.begin(), text.end(), reject_duplicates);
  } catch (const json::exception& error) {
    rejecter.reject(std::string("not valid JSON: ") + error.what());
  }
}

void expect_members(const json& object, std::initializer_list<const char*> required,
                    std::initializer_list<const char*> optional, const Rejecter& rejecter) {
  for (const char* name : required) {
    if (!object.contains(name)) rejecter.reject(std::string("missing \"") + name + "\"");
  }
  for (const auto& item : object.items()) {
    const std::string& name = item.key();
    const auto is = [&name](const char* known) { return name == known; };
    if (std::none_of(required.begin(), required.end(), is) &&
        std::none_of(optional.begin(), optional.end(), is)) {
      rejecter.reject("unknown member \"" + name + "\"");
    }
  }
}

long long integer_value(const json& value, long long low, long long high, const char* type,
                        const Rejecter& rejecter) {
  if (!value.is_number_integer()) rejecter.reject(std::string(type) + " value is not an integer");
  if (value.is_number_unsigned()) {
    if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(high)) {
      rejecter.reject(std::string(type) + " value " + value.dump() + " is out of range");
    }
    return static_cast<long long>(value.get<std::uint64_t>());
  }
  const long long number = value.get<long long>();
  if (number < low || number > high)
    rejecter.reject(std::string(type) + " value " + value.dump() + " is out of range");
  return number;
}

std::string text_value(const json& value, std::size_t max_bytes, const char* what,
                       const Rejecter& rejecter) {
  if (!value.is_string()) rejecter.reject(std::string(what) + " is not a string");
  const std::string& text = value.get_ref<const std::string&>();
  if (text.size() > max_bytes) {
    rejecter.reject(std::string(what) + " is longer than " + std::to_string(max_bytes) + " bytes");
  }
  return text;
}

Variant date_value(const json& property, const Rejecter& rejecter) {
  const std::string text = text_value(property["value"], 64, "date value", rejecter);
  const auto date = parse_date_text(text);
  if (!date) rejecter.reject("\"" + text + "\" is no date");
  if (!property.contains("serial")) return Variant::date(*date);
  // The exact serial of a date whose text form rounds it (below a second, or negative with time).
  const json& serial = property["serial"];
  if (!serial.is_number() || !is_valid_date(serial.get<double>()))
    rejecter.reject("date serial is no date");
  if (format_date_text(serial.get<double>()) != format_date_text(*date)) {
    rejecter.reject("date serial " + serial.dump() + " is not the date \"" + text + "\"");
  }
  return Variant::date(serial.get<double>());
}

Variant property_value(const json& property, const Rejecter& rejecter) {
  const std::string type = text_value(property["type"], 16, "type", rejecter);
  const json& value = property["value"];
  if (type == "date") return date_value(property, rejecter);
  if (property.contains("serial")) rejecter.reject("only a date has a serial");
  if (type == "string")
    return Variant::string(text_value(value, kMaxBagStringBytes, "string value", rejecter));
  if (type == "i2")
    return Variant::i2(static_cast<Int16>(integer_value(value, -32768, 32767, "i2", rejecter)));
  if (type == "i4") {
    return Variant::i4(
        static_cast<Int32>(integer_value(value, std::numeric_limits<Int32>::min(),
                                         std::numeric_limits<Int32>::max(), "i4", rejecter)));
  }
  if (type == "r8") {
    if (!value.is_number() || !std::isfinite(value.get<double>()))
      rejecter.reject("r8 value is not a finite number");
    return Variant::r8(value.get<double>());
  }
  if (type == "bool") {
    if (!value.is_boolean()) rejecter.reject("bool value is not true or false");
    return Variant::boolean(value.get<bool>());
  }
  if (type == "empty") {
    if (!value.is_null()) rejecter.reject("empty value is not null");
    return Variant();
  }
  rejecter.reject("unknown type \"" + type + "\"");
}

}  // namespace

MemoryBag parse_bag(std::string_view text, std::string_view origin) {
  Rejecter rejecter(origin);
  const json root = parse_json(text, rejecter);
  if (!root.is_object()) rejecter.reject("not a JSON object");
  expect_members(root, {"format", "version", "properties"}, {}, rejecter);
  if (root["format"] != kFormat) rejecter.reject("not a dnovar-bag file");
  if (root["version"] != 1) rejecter.reject("unsupported version " + root["version"].dump());
  const json& properties = root["properties"];
  if (!properties.is_array()) rejecter.reject("\"properties\" is not a list");
  if (properties.size() > kMaxBagProperties) {
    rejecter.reject("more than " + std::to_string(kMaxBagProperties) + " properties");
  }

  std::vector<MemoryBag::Entry> entries;
  entries.reserve(properties.size());
  std::unordered_set<std::string> folded_keys;  // as keys compare: without regard to ASCII case
  folded_keys.reserve(properties.size());
  for (std::size_t i = 0; i < properties.size(); ++i) {
    const json& property = properties[i];
    rejecter.at_property(i, "");
    if (!property.is_object()) rejecter.reject("not an object");
    expect_members(property, {"key", "type", "value"}, {"serial"}, rejecter);
    const std::string key = text_value(property["key"], kMaxBagKeyBytes, "key", rejecter);
    rejecter.at_property(i, key);
    if (key.empty()) rejecter.reject("empty key");
    std::string folded = key;
    for (char& c : folded) c = ascii_lower(c);
    if (!folded_keys.insert(std::move(folded)).second) rejecter.reject("the key appears twice");
    entries.push_back({key, property_value(property, rejecter)});
  }
  return MemoryBag(std::move(entries));
}

namespace {

[[noreturn]] void refuse_to_write(const std::string& what) {
  throw RuntimeError(error_number::invalid_argument,
                     "Invalid procedure call or argument: a property bag cannot hold " + what);
}

json property_json(const MemoryBag::Entry& entry) {
  if (entry.key.empty()) refuse_to_write("an empty key");
  if (entry.key.size() > kMaxBagKeyBytes) {
    refuse_to_write("a key of " + std::to_string(entry.key.size()) + " bytes, more than " +
                    std::to_string(kMaxBagKeyBytes));
  }
  json property = {{"key", entry.key}, {"type", type_name(entry.value.type())}};
  switch (entry.value.type()) {
    case Variant::Type::Empty:
      property["value"] = nullptr;
      break;
    case Variant::Type::I2:
      property["value"] = entry.value.to_i2();
      break;
    case Variant::Type::I4:
      property["value"] = entry.value.to_i4();
      break;
    case Variant::Type::R8: {
      const double value = entry.value.to_r8();
      if (!std::isfinite(value)) {
        throw RuntimeError(
            error_number::invalid_argument,
            "Invalid procedure call or argument: \"" + entry.key + "\" is not a finite number");
      }
      property["value"] = value;
      break;
    }
    case Variant::Type::Bool:
      property["value"] = entry.value.to_bool() != kFalse;
      break;
    case Variant::Type::Date: {
      const DateSerial serial = entry.value.to_r8();
      if (!is_valid_date(serial)) {
        throw RuntimeError(
            error_number::invalid_argument,
            "Invalid procedure call or argument: \"" + entry.key + "\" is no valid date");
      }
      const std::string text = format_date_text(serial);
      property["value"] = text;
      if (parse_date_text(text) != serial) property["serial"] = serial;
      break;
    }
    case Variant::Type::String: {
      std::string text = entry.value.to_string();
      if (text.size() > kMaxBagStringBytes) {
        refuse_to_write("\"" + entry.key + "\": its text is " + std::to_string(text.size()) +
                        " bytes, more than " + std::to_string(kMaxBagStringBytes));
      }
      property["value"] = std::move(text);
      break;
    }
  }
  return property;
}

}  // namespace

std::string format_bag(const MemoryBag& bag) {
  if (bag.size() > kMaxBagProperties) {
    refuse_to_write(std::to_string(bag.size()) + " properties, more than " +
                    std::to_string(kMaxBagProperties));
  }
  json properties = json::array();
  for (const MemoryBag::Entry& entry : bag.entries()) properties.push_back(property_json(entry));
  const json root = {{"format", kFormat}, {"version", 1}, {"properties", properties}};
  std::string text;
  try {
    text = root.dump(2) + "\n";
    // A bag near the limit still fits without the indentation the reader does not need.
    if (text.size() > kMaxBagBytes) text = root.dump() + "\n";
  } catch (const json::exception& error) {
    throw RuntimeError(
        error_number::invalid_argument,
        std::string("Invalid procedure call or argument: text that is not UTF-8: ") + error.what());
  }
  if (text.size() > kMaxBagBytes) {
    refuse_to_write(std::to_string(text.size()) + " bytes of text, more than " +
                    std::to_string(kMaxBagBytes));
  }
  return text;
}

MemoryBag load_bag_file(const std::filesystem::path& path) {
  return parse_bag(read_file(path, kMaxBagBytes), path_text(path));
}

void save_bag_file(const MemoryBag& bag, const std::filesystem::path& path) {
  replace_file(path, format_bag(bag), MissingFolder::refuse);
}

}  // namespace dnovar
