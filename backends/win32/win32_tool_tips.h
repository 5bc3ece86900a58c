// The tool tips of a surface's widgets, on one tooltips_class32 control. The control is made when
// the mouse first moves over a widget that has a tip: it is a top-level window, which the
// surface's first paint need not wait for. From then on it watches the tools' mouse messages
// itself (TTF_SUBCLASS).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace dnovar {

class Win32ToolTips {
 public:
  // Tips for the children and the drawn widgets of `surface`.
  explicit Win32ToolTips(HWND surface) : surface_(surface) {}
  Win32ToolTips(const Win32ToolTips&) = delete;
  Win32ToolTips& operator=(const Win32ToolTips&) = delete;

  // A tip for a child window of the surface.
  void add(HWND child, std::string_view text);
  // A tip for an area of the surface (a widget it draws), known by `id`.
  void add(const RECT& area, UINT_PTR id, std::string_view text);
  // The mouse moved over the surface or one of its children (at `l`, in its client area): over a
  // widget that has a tip, the control is made if it is not yet, and sees this move.
  void mouse_moved(HWND window, UINT message, WPARAM w, LPARAM l);
  // The tooltips_class32 window, null until it is made. The surface owns it: it goes with it.
  HWND control() const { return control_; }

 private:
  struct Tool {
    HWND child;  // null for an area of the surface
    RECT area;
    UINT_PTR id;
    std::wstring text;
  };
  bool over_a_tool(HWND window, LPARAM position) const;
  void create();

  HWND surface_;
  HWND control_ = nullptr;
  std::vector<Tool> tools_;
};

}  // namespace dnovar
