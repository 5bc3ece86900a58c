// The control's settings in a stream (IPersistStreamInit), for containers that store controls in
// streams rather than property bags. The stream holds the keys the control writes to a property
// bag, in the order it writes them, little-endian throughout:
//
//   "DNVR"            4 bytes, the format's mark
//   version           u16, 1
//   payload length    u32, the bytes that follow (the record ends there; a container may store
//                     more after it)
//   entry count       u16
//   each entry:       key length u16, key (UTF-8), type u16, value
//
// Types and values, with COM's variant type numbers: 2 a 16-bit integer (2 bytes), 3 a 32-bit
// integer (4 bytes), 5 a double and 7 a date (8 bytes, IEEE 754), 11 a boolean (2 bytes, -1 or 0),
// 8 a string (u32 byte length and UTF-8), 0 empty (no bytes).
#pragma once

#include <cstdint>
#include <vector>

#include "component/bag_file.h"

namespace dnovar {

inline constexpr std::size_t kStreamHeaderSize = 10;  // mark, version, payload length
// Larger records are refused as malformed, before anything is allocated for them.
inline constexpr std::uint32_t kMaximumPayload = 16u << 20;

std::vector<std::uint8_t> encode_settings(const MemoryBag& bag);

// The payload length a header announces; raises 321 for a header that is not one of ours.
std::uint32_t payload_length(const std::uint8_t (&header)[kStreamHeaderSize]);
// The entries of a payload; raises 321 when it does not hold exactly what it announces.
MemoryBag decode_settings(const std::vector<std::uint8_t>& payload);

}  // namespace dnovar
