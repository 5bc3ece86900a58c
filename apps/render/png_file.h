// A minimal PNG writer for pictures the Windows build draws itself (Qt writes its own): 8-bit RGB,
// no compression (stored deflate blocks), so it needs no library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dnovar::app {

// Pixels as 0x00RRGGBB, row by row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// The PNG file's bytes.
std::string png_bytes(const Picture& picture);

}  // namespace dnovar::app
