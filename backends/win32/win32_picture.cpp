#include "backends/win32/win32_picture.h"

namespace dnovar {

namespace {

// `window` and its children, the children from the bottom of the Z order to the top, each at its
// place relative to `root`. Each window prints into a bitmap of its own size, holding what lies
// behind it, which then goes into the picture: controls clip their painting to their client area
// in device coordinates, so they cannot be moved to their place on one shared DC. Only the
// surface erases its background; a child that did would wipe out what lies below it wherever its
// window is larger than what it draws (a combo box's window holds its open list).
void print_tree(HWND window, HDC picture, const RECT& root, bool erase) {
  RECT placed{};
  GetWindowRect(window, &placed);
  const int x = placed.left - root.left;
  const int y = placed.top - root.top;
  const int width = placed.right - placed.left;
  const int height = placed.bottom - placed.top;
  const HDC dc = CreateCompatibleDC(picture);
  const HBITMAP bitmap = CreateCompatibleBitmap(picture, width, height);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, picture, x, y, SRCCOPY);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc),
               PRF_NONCLIENT | PRF_CLIENT | (erase ? PRF_ERASEBKGND : 0));
  BitBlt(picture, x, y, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (auto child = children.rbegin(); child != children.rend(); ++child)
    if (GetWindowLongPtrW(*child, GWL_STYLE) & WS_VISIBLE) print_tree(*child, picture, root, false);
}

}  // namespace

SurfacePicture picture_of(const Win32Surface& surface) {
  return picture_of_window(surface.window());
}

SurfacePicture picture_of_window(HWND window) {
  RECT root{};
  GetWindowRect(window, &root);
  SurfacePicture picture;
  picture.width = root.right - root.left;
  picture.height = root.bottom - root.top;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = picture.width;
  format.bmiHeader.biHeight = -picture.height;  // top-down rows
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) {
    DeleteDC(dc);
    throw RuntimeError(error_number::out_of_memory, "Out of memory: cannot make a picture");
  }
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  print_tree(window, dc, root, true);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(picture.width) *
                                             static_cast<std::size_t>(picture.height));
  // A 32-bit DIB holds 0x00RRGGBB already (blue in the lowest byte); its unused top byte goes.
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFFu;
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

}  // namespace dnovar
