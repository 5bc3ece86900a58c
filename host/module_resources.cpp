#include "host/module_resources.h"

#include <array>
#include <utility>

#include "component/object.h"
#include "host/type_library.h"

namespace dnovar {

namespace {

void put_u16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFF);
  put_u16(out, value >> 16);
}

// The classic 16-colour palette, as blue, green, red, reserved.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// A page of a calendar: red header with two rings, a grid of days, one cyan day, a bold border.
// Each character is a palette index in hex: 0 black, 7 silver, 8 grey, 9 red, B cyan, F white.
constexpr std::array<const char*, 15> kPicture = {
    "7777777777777777",  //
    "7700770000770077",  //
    "7099999999999907",  //
    "7099999999999907",  //
    "70FFFFFFFFFFFF07",  //
    "70F8F8F8F8F8FF07",  //
    "70FFFFFFFFFFFF07",  //
    "70F8F8F8BBF8FF07",  //
    "70FFFFFFBBFFFF07",  //
    "70F8F8F8F8F8FF07",  //
    "70FFFFFFFFFFFF07",  //
    "70F8F8F8F8F8FF07",  //
    "70FFFFFFFFFFFF07",  //
    "7000000000000007",  //
    "7777777777777777",  //
};

int hex_value(char c) {
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

class Resources final : public ObjectBase<ModuleResources> {
 public:
  Status find_resource(std::string_view type, std::string_view name,
                       std::vector<std::uint8_t>* out) override {
    if (out == nullptr) return Status::pointer;
    auto found = find_module_resource(type, name);
    if (!found) return Status::invalid_argument;
    *out = std::move(*found);
    return Status::ok;
  }
  Status version_entry(std::string_view key, std::string* out) override {
    if (out == nullptr) return Status::pointer;
    auto found = find_version_entry(key);
    if (!found) return Status::invalid_argument;
    *out = std::move(*found);
    return Status::ok;
  }
};

}  // namespace

const std::vector<std::pair<std::string_view, std::string_view>>& version_record() {
  static const std::vector<std::pair<std::string_view, std::string_view>> record = {
      {"CompanyName", "Dnovar"},
      {"FileDescription", "Český kalendář (svátky)"},
      {"FileVersion", "1.00"},
      {"InternalName", "Dnovar"},
      {"LegalCopyright", "Vývojáři projektu Dnovar"},
      {"OriginalFilename", "Dnovar.ocx"},
      {"ProductName", "Dnovar"},
      {"ProductVersion", "1.00"},
      {"OLESelfRegister", ""},
  };
  return record;
}

std::vector<std::uint8_t> toolbox_bitmap() {
  constexpr int width = 16, height = 15,
                row_bytes = 8;  // 16 pixels at 4 bits: 8 bytes, already aligned
  std::vector<std::uint8_t> dib;
  put_u32(dib, 40);  // header size
  put_u32(dib, width);
  put_u32(dib, height);  // positive: rows stored bottom-up
  put_u16(dib, 1);       // planes
  put_u16(dib, 4);       // bits per pixel
  put_u32(dib, 0);       // no compression
  put_u32(dib, row_bytes * height);
  put_u32(dib, 3780);  // 96 DPI in pixels per metre
  put_u32(dib, 3780);
  put_u32(dib, 16);  // colours used
  put_u32(dib, 0);
  for (std::uint32_t rgb : kPalette) {
    dib.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
    dib.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
    dib.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
    dib.push_back(0);
  }
  for (int row = height - 1; row >= 0; --row) {
    const char* line = kPicture[static_cast<std::size_t>(row)];
    for (int x = 0; x < width; x += 2)
      dib.push_back(static_cast<std::uint8_t>(hex_value(line[x]) << 4 | hex_value(line[x + 1])));
  }
  return dib;
}

std::vector<std::uint8_t> interface_id_record(const Guid& guid) {
  std::vector<std::uint8_t> record;
  put_u32(record, 16);
  const auto bytes = guid_bytes(guid);
  record.insert(record.end(), bytes.begin(), bytes.end());
  return record;
}

std::optional<std::vector<std::uint8_t>> find_module_resource(std::string_view type,
                                                              std::string_view name) {
  if (type == "BITMAP" && name == "30000") return toolbox_bitmap();
  if (type == "CUSTOM" && name == "_IID_DNOVAR") return interface_id_record(kDnovarInterfaceId);
  if (type == "CUSTOM" && name == "_SRCIID_DNOVAR") return interface_id_record(kDnovarEventsId);
  if (type == "TYPELIB" && name == "1") {
    const std::string text = describe(dnovar_type_library());
    return std::vector<std::uint8_t>(text.begin(), text.end());
  }
  return std::nullopt;
}

std::optional<std::string> find_version_entry(std::string_view key) {
  for (const auto& [k, v] : version_record())
    if (k == key) return std::string(v);
  return std::nullopt;
}

ModuleResources* new_module_resources() {
  ComponentPtr<ModuleResources> resources = make_object<Resources, ModuleResources>();
  return resources.detach();
}

}  // namespace dnovar
