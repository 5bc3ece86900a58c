#include "apps/render/png_file.h"

#include <array>

namespace dnovar::app {

namespace {

const std::array<std::uint32_t, 256>& crc_table() {
  static const auto table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  return table;
}

std::uint32_t crc32(const std::string& bytes, std::size_t from) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i)
    c = crc_table()[(c ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void put_u32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void put_chunk(std::string& out, const char* type, const std::string& data) {
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out.append(data);
  put_u32(out, crc32(out, start));
}

// A zlib stream of stored blocks (at most 65535 bytes each), with its Adler-32 check.
std::string zlib_stored(const std::string& data) {
  std::string out("\x78\x01", 2);
  std::uint32_t a = 1, b = 0;
  for (const char byte : data) {
    a = (a + static_cast<unsigned char>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(data.size() - offset, 65535);
    const bool last = offset + length == data.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<char>(length & 0xFF));
    out.push_back(static_cast<char>(length >> 8));
    out.push_back(static_cast<char>(~length & 0xFF));
    out.push_back(static_cast<char>((~length >> 8) & 0xFF));
    out.append(data, offset, length);
    offset += length;
  } while (offset < data.size());
  put_u32(out, (b << 16) | a);
  return out;
}

}  // namespace

std::string png_bytes(const Picture& picture) {
  std::string out("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  put_u32(header, static_cast<std::uint32_t>(picture.width));
  put_u32(header, static_cast<std::uint32_t>(picture.height));
  header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  put_chunk(out, "IHDR", header);
  std::string rows;
  rows.reserve(static_cast<std::size_t>(picture.height) *
               (1 + 3 * static_cast<std::size_t>(picture.width)));
  for (int y = 0; y < picture.height; ++y) {
    rows.push_back('\0');  // no filter
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t pixel = picture.at(x, y);
      rows.push_back(static_cast<char>(pixel >> 16));
      rows.push_back(static_cast<char>(pixel >> 8));
      rows.push_back(static_cast<char>(pixel));
    }
  }
  put_chunk(out, "IDAT", zlib_stored(rows));
  put_chunk(out, "IEND", {});
  return out;
}

}  // namespace dnovar::app
