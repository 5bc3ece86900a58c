// dnovar-container.exe: the Windows container. Hosts the registered ActiveX control (dnovar.ocx,
// created by its ProgID through the system registry) in place on a form, beside its properties,
// methods and events, as the other dnovar-container does with the control's own component model.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <optional>

#include "apps/common/command_line.h"
#include "apps/common/run_guarded.h"
#include "apps/container/win32/container_window.h"
#include "apps/render/png_file.h"
#include "backends/win32/win32_picture.h"

namespace {

struct OleContainerOptions {
  std::string bag;
  std::string screenshot;
  bool print_geometry = false;
};

// "control X Y RATIO": where the control's window starts in the main window's client area, in
// its pixels, and the pixel ratio (1: the program is not DPI-aware, Windows scales it). A tool
// sending real pointer events finds day cell i at (X + (1200 + 360 * (i / 7)) / 15,
// Y + (1320 + 240 * (i % 7)) / 15) times RATIO. Then "screen X Y": the same place on the screen.
void print_geometry(dnovar::container::OleContainerWindow& window) {
  const HWND control = window.control_window();
  if (control == nullptr) {
    std::cout << "control none" << std::endl;
    return;
  }
  POINT origin{0, 0};
  MapWindowPoints(control, window.window(), &origin, 1);
  std::cout << "control " << origin.x << ' ' << origin.y << " 1" << std::endl;
  POINT screen{0, 0};
  ClientToScreen(control, &screen);
  std::cout << "screen " << screen.x << ' ' << screen.y << std::endl;
}

// A picture of the whole window as its real windows print themselves: it needs no screen.
bool write_screenshot(HWND window, const std::string& file) {
  try {
    dnovar::SurfacePicture drawn = dnovar::picture_of_window(window);
    const std::string bytes =
        dnovar::app::png_bytes({drawn.width, drawn.height, std::move(drawn.pixels)});
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
  } catch (const dnovar::RuntimeError&) {
  }
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return false;
}

int run_container(int argc, char** argv) {
  OleContainerOptions options;
  CLI::App cli{
      "dnovar-container: hosts the Dnovar ActiveX control beside its properties, methods and "
      "events"};
  cli.allow_windows_style_options(false);
  cli.add_option("bag", options.bag,
                 "Property-bag file to load the control from (default: a new instance)");
  cli.add_option("--screenshot", options.screenshot,
                 "Write a PNG of the window once it is shown, then exit");
  cli.add_flag("--print-geometry", options.print_geometry,
               "Print \"control X Y RATIO\": the control's place in the window, once it is shown");
  dnovar::app::add_version_flag(cli, "dnovar-container");
  if (const std::optional<int> stop = dnovar::app::parse_command_line(cli, argc, argv))
    return *stop;

  if (FAILED(OleInitialize(nullptr))) {
    std::cerr << "dnovar-container: cannot start COM\n";
    return 1;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int status = 0;
  {
    dnovar::container::OleContainerWindow window([&](dnovar::container::OleContainerWindow& shown) {
      if (options.print_geometry) print_geometry(shown);
      if (options.screenshot.empty()) return;
      if (write_screenshot(shown.window(), options.screenshot)) {
        std::cout << "screenshot " << options.screenshot << std::endl;
      } else {
        std::cerr << "dnovar-container: cannot write " << options.screenshot << '\n';
        status = 1;
      }
      shown.close();
    });
    window.start(options.bag.empty() ? std::nullopt
                                     : std::optional<std::filesystem::path>(options.bag));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (window.translate(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
      window.dispatched(message);
    }
  }
  OleUninitialize();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  return dnovar::app::run_program("dnovar-container", [&] { return run_container(argc, argv); });
}
