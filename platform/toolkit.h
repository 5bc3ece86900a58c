// The seam between the control and a widget toolkit. The control sees widgets only through these
// operations; a backend (headless, Qt) implements them and nothing more.
//
// Fixed choices every backend keeps:
// - colours are stored and returned as set, system colours unresolved;
// - a spin button notifies a value change only when its value really changes; a value set from
//   code is stored as given (not clamped) and notifies inside the set; the user's arrow steps stop
//   at Min/Max without wrapping;
// - setting a combo box's text from code reports no click;
// - a text box appends what a key press lets through;
// - while the surface as a whole is disabled, no user input reaches any of its widgets;
// - every notification is one dispatch: what the handler throws is reported to the ErrorSink and
//   the backend carries on (see guarded_notification.h).
//
// Every member of the seam is pure: whoever implements it (a backend, or a wrapper that passes a
// surface and its notifications on) says what it does with each, so a member added here does not
// compile until each has decided; a forgotten forward once shipped.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/colour.h"
#include "platform/error.h"
#include "platform/int16.h"
#include "platform/widget_table.h"

namespace dnovar {

// Mouse buttons as bits: 1 left, 2 right, 4 middle.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// Character codes the handlers care about.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

// The keys the day grid passes on while it has the focus, and the modifiers held with them (bits).
enum class GridKey { Up, Down, Left, Right, Home, End, Enter, Space };
inline constexpr int kShiftHeld = 1;
inline constexpr int kCtrlHeld = 2;

// A widget's accessible texts as a recipe: a composer and the few numbers it composes them from.
// A refresh renames every day cell, and storing a handful of numbers per cell costs a fraction of
// building 37 names that only a screen reader (or a test) reads; the texts are composed from the
// numbers the recipe had when it was set. A recipe with a source is read live: its composer reads
// the source as it is at each read, so whoever owns the source changes the texts by changing it.
struct AccessibleRecipe {
  using Compose = void (*)(const AccessibleRecipe& recipe, std::string& name,
                           std::string& description);
  Compose compose = nullptr;
  std::array<int, 6> values{};
  const void* source = nullptr;
  friend bool operator==(const AccessibleRecipe&, const AccessibleRecipe&) = default;
};

// One widget. Every operation exists on every widget; a kind that lacks one raises error 438
// (raise_not_supported), as a late-bound call of a missing member would. Each backend's widget says
// what it does with every operation, so an operation added here is one each backend must decide.
class Widget {
 public:
  virtual ~Widget() = default;

  // Label, frame, command button.
  virtual void set_caption(std::string_view caption) = 0;
  virtual std::string caption() const = 0;
  // Text box, combo box.
  virtual void set_text(std::string_view text) = 0;
  virtual std::string text() const = 0;
  virtual void set_back_colour(Colour colour) = 0;
  virtual Colour back_colour() const = 0;
  virtual void set_fore_colour(Colour colour) = 0;
  virtual Colour fore_colour() const = 0;
  virtual void set_font_bold(bool bold) = 0;
  virtual bool font_bold() const = 0;
  virtual void set_enabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  // Caption, back colour and boldness in one call, in that order (a refresh sets all three on
  // every day cell). Widget::set_look is the three sets one after the other.
  virtual void set_look(std::string_view caption, Colour back, bool bold) = 0;
  // Spin button.
  virtual void set_value(Int32 value) = 0;
  virtual Int32 value() const = 0;
  // Combo box.
  virtual void clear_items() = 0;
  virtual void add_item(std::string_view item) = 0;
  virtual int list_index() const = 0;
  virtual std::vector<std::string> items() const = 0;
  // Every kind: what assistive technology (a screen reader) reads for the widget, its name and a
  // description. Widget::set_accessible_text stores both, readable on every backend; a backend
  // that shows the widget also hands both to its platform's accessibility.
  virtual void set_accessible_text(std::string_view name, std::string_view description) = 0;
  // The same texts as a recipe (with its composer). A recipe equal to the last one set changes
  // nothing; on a backend that hands the texts to its platform the texts are composed at once,
  // elsewhere when first read (a live recipe at every read: only where texts are not handed on).
  void set_accessible_recipe(const AccessibleRecipe& recipe) {
    if (hands_text_on_) {
      hand_recipe_on(recipe);
      return;
    }
    recipe_ = recipe;
    recipe_pending_ = true;
  }
  const std::string& accessible_name() const {
    compose_pending_text();
    return accessible_name_;
  }
  const std::string& accessible_description() const {
    compose_pending_text();
    return *accessible_description_;
  }
  // Whether the backend hands the texts to its platform as they are set (a live recipe would not
  // reach it).
  bool hands_accessible_text_on() const { return hands_text_on_; }
  // What the widget's live recipe reads, if it has one.
  const void* accessible_source() const { return recipe_.source; }

 protected:
  // For a backend that hands the accessible texts to its platform as they are set, through
  // set_accessible_text(name, description): recipes are then composed as they arrive.
  void hand_accessible_text_on() { hands_text_on_ = true; }

 private:
  void hand_recipe_on(const AccessibleRecipe& recipe);
  void compose_pending_text() const {
    if (recipe_pending_) compose_recipe();
  }
  void compose_recipe() const;
  void store_description(std::string_view description) const;

  inline static const std::string kNoDescription;
  // Composed from recipe_ at the first read while recipe_pending_ (at every read for a live one).
  mutable std::string accessible_name_;
  // The program's shared copy of the description (shared_text.h), or own_description_.
  mutable const std::string* accessible_description_ = &kNoDescription;
  mutable std::unique_ptr<const std::string> own_description_;
  AccessibleRecipe recipe_;
  mutable bool recipe_pending_ = false;
  bool hands_text_on_ = false;
};

// What a surface tells the control. Called on the UI thread, one at a time (or nested inside a
// spin button's set_value).
class WidgetEvents {
 public:
  virtual ~WidgetEvents() = default;
  virtual void click(WidgetId id) = 0;
  virtual void value_changed(WidgetId id) = 0;
  // The handler may replace the code; 0 discards the key.
  virtual void key_press(WidgetId id, int& key_code) = 0;
  virtual void mouse_down(WidgetId id, int button) = 0;
  virtual void mouse_move(WidgetId id, int buttons) = 0;
  virtual void double_click(WidgetId id) = 0;
  // Focus moved into the surface from outside, or out of it.
  virtual void focus_entered() = 0;
  virtual void focus_left() = 0;
  // The day grid took the focus (it is one more tab stop, after the table's last) or lost it, and
  // a key pressed while it has it. Taking the focus from outside the surface comes after
  // focus_entered; losing it to outside comes before focus_left.
  virtual void grid_focus_entered() = 0;
  virtual void grid_focus_left() = 0;
  virtual void grid_key(GridKey key, int modifiers) = 0;
};

// Where the backend reports a handler's failure (the host shows it; the control stays usable).
class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void report_error(const RuntimeError& error) = 0;
};

// The widgets of one control or form, created from a WidgetTable.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual const WidgetTable& table() const = 0;
  virtual Widget& widget(WidgetId id) = 0;
  std::size_t widget_count() const { return table().widgets.size(); }
  virtual void set_events(WidgetEvents* events) = 0;
  // The enabled state of the surface as a whole; the widgets' own flags are not touched.
  virtual void set_enabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  // The day cell the grid's keyboard cursor is on (-1: none). While the grid has the focus the
  // backend draws a focus rectangle on that cell and tells assistive technology the cell has the
  // focus. A surface without a day grid (a form) ignores it.
  virtual void set_grid_cursor(int cell) = 0;
  // The cell the focus rectangle is on: -1 while the grid lacks the focus (always, on a form).
  virtual int grid_cursor() const = 0;
  // What assistive technology reads for the day grid as a whole, as a recipe read whenever it is
  // asked for (a backend that shows the grid as one table names the table so). A surface without
  // a day grid (a form) ignores it.
  virtual void set_grid_accessible_recipe(const AccessibleRecipe& recipe) = 0;
};

// A top-level form (a dialog).
class Form : public Surface {
 public:
  // Shows the form modally with no owner; returns once it has been unloaded.
  virtual void show_modal() = 0;
  // Closes and destroys the form's window; unloading an unloaded form does nothing.
  virtual void unload() = 0;
  virtual bool loaded() const = 0;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  virtual std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) = 0;
  virtual std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) = 0;
  virtual void beep() = 0;
};

}  // namespace dnovar
