// One widget on a real Windows control: the caption or text lives in the window (a combo box's
// text in its edit field); colours, bold and the spinner's numbers are kept here, as the control
// set them, and the window shows them when it paints. Labels and frames have no window: the
// surface draws them (win32_drawn.h) in their area, and a change repaints that area. Operations
// its kind lacks raise error 438.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "backends/win32/win32_look.h"
#include "platform/toolkit.h"

namespace dnovar {

class DrawnText;
class Win32Surface;

class Win32Widget final : public Widget {
 public:
  // `window` is the widget's own child window, or null for one that `surface` draws in `area`
  // (pixels of its client area). `notify_value_change` runs inside set_value when a spinner's
  // value really changes.
  Win32Widget(const WidgetRow& row, HWND window, Win32Surface& surface, const RECT& area,
              LookCache& look, int dpi, std::function<void()> notify_value_change);

  void set_caption(std::string_view caption) override;
  std::string caption() const override;
  void set_text(std::string_view text) override;
  std::string text() const override;
  void set_back_colour(Colour colour) override;
  Colour back_colour() const override;
  void set_fore_colour(Colour colour) override;
  Colour fore_colour() const override;
  void set_font_bold(bool bold) override;
  bool font_bold() const override;
  void set_enabled(bool enabled) override;
  bool enabled() const override;
  // The three sets one after the other; each repaints only what it changes.
  void set_look(std::string_view caption, Colour back, bool bold) override {
    Widget::set_look(caption, back, bold);
  }
  void set_value(Int32 value) override;
  Int32 value() const override;
  void clear_items() override;
  void add_item(std::string_view item) override;
  int list_index() const override;
  std::vector<std::string> items() const override;
  // Kept here: the surface's accessible object reads them when a client asks (win32_accessible.h).
  void set_accessible_text(std::string_view name, std::string_view description) override {
    Widget::set_accessible_text(name, description);
  }

  WidgetKind kind() const { return kind_; }
  // The widget's own window; null for a label or a frame, which the surface draws.
  HWND window() const { return window_; }
  bool drawn() const { return window_ == nullptr; }
  // Where the widget is, in pixels of the surface's client area.
  const RECT& area() const { return area_; }
  // Where typed text goes: the box itself, or a combo box's edit field.
  HWND text_field() const { return text_field_; }
  // One arrow step of the user's, by the rule of spin_step.
  void step(bool up);
  // List entry `index` becomes the current one, picked by the user (the edit field shows it
  // before the Click is reported) or named by the text when Enter was pressed.
  void choose(int index);
  // Paints the widget's colours on `dc`; the brush for its background.
  HBRUSH paint_colours(HDC dc);
  // Draws a widget without a window of its own on the surface's DC that `text` holds.
  void draw(DrawnText& text);
  // Drawn widgets only: it has changed since the surface last drew it.
  bool stale() const { return stale_; }
  void set_stale(bool stale) { stale_ = stale; }

 private:
  bool has_caption() const {
    return kind_ == WidgetKind::Label || kind_ == WidgetKind::Frame ||
           kind_ == WidgetKind::CommandButton;
  }
  bool has_text() const { return kind_ == WidgetKind::TextBox || kind_ == WidgetKind::ComboBox; }
  bool has_look() const { return kind_ != WidgetKind::SpinButton; }
  void require(bool supported) const {
    if (!supported) raise_not_supported();
  }
  // The font to the window; `repaint_now` false for a window not yet shown.
  void apply_font(bool repaint_now);
  // What the widget shows has changed: its window, or its area of the surface, paints again.
  void repaint();
  std::wstring item_text(int index) const;
  // The first list entry whose text is exactly `text`, or -1.
  int find_item(const std::wstring& text) const;

  WidgetKind kind_;
  HWND window_;
  Win32Surface& surface_;
  RECT area_;
  Alignment alignment_;
  HWND text_field_ = nullptr;
  LookCache& look_;
  int dpi_;
  FontSpec font_;
  std::string caption_;
  Colour back_colour_;
  Colour fore_colour_;
  bool enabled_;
  Int32 min_, max_, increment_, value_;
  // A combo box's current entry, kept here: the list's own selection follows the typing (the
  // combo box clears it as soon as the text names no entry), while the current entry stays until
  // another is chosen, as on every backend.
  int chosen_index_ = -1;
  bool stale_ = false;
  std::function<void()> notify_value_change_;
};

}  // namespace dnovar
