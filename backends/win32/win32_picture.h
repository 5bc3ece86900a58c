// A picture of a surface as its real windows draw themselves: each window, from the back to the
// front, prints itself (WM_PRINT) into one bitmap at its place. It needs no screen, so it works
// for hidden windows and under Wine without a display.
#pragma once

#include <cstdint>
#include <vector>

#include "backends/win32/win32_surface.h"

namespace dnovar {

struct SurfacePicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

SurfacePicture picture_of(const Win32Surface& surface);
// The same of any window and its children, its frame included (a program's main window).
SurfacePicture picture_of_window(HWND window);

}  // namespace dnovar
