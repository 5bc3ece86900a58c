// The control module's resources: toolbox bitmap 30000 (16 x 15, 16 colours), the two
// interface-id records and the version record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "component/module_resources.h"

namespace dnovar {

// A device-independent bitmap as stored in a resource: BITMAPINFOHEADER, a 16-entry palette and
// the pixel rows bottom-up, four bits a pixel, each row padded to four bytes.
std::vector<std::uint8_t> toolbox_bitmap();

// A 32-bit little-endian length 16 followed by the 16 bytes of the GUID.
std::vector<std::uint8_t> interface_id_record(const Guid& guid);

std::optional<std::vector<std::uint8_t>> find_module_resource(std::string_view type,
                                                              std::string_view name);
std::optional<std::string> find_version_entry(std::string_view key);
// Every entry of the version record, in the order the module stores them.
const std::vector<std::pair<std::string_view, std::string_view>>& version_record();

// The module's ModuleResources object (one reference for the caller).
ModuleResources* new_module_resources();

}  // namespace dnovar
