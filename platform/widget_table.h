// The widget table: what a backend needs to create a control's surface or a form. Each row is one
// widget (kind, name, geometry in twips, initial look and content); a widget is then addressed by
// its row in the table, its WidgetId.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/int16.h"

namespace dnovar {

enum class WidgetKind { Frame, Label, TextBox, ComboBox, CommandButton, SpinButton };

enum class Alignment { Left, Right, Centre };

struct FontSpec {
  std::string face = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  int charset = 238;  // Central European
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// Position of a widget in its surface's table.
struct WidgetId {
  int value = -1;
  friend bool operator==(WidgetId, WidgetId) = default;
};

inline constexpr int kNoParent = -1;  // the surface (the control or form) itself
inline constexpr int kNoIndex = -1;   // not an element of a control array

struct WidgetRow {
  WidgetKind kind = WidgetKind::Label;
  std::string name;
  int index = kNoIndex;    // element index within a control array of `name`
  int parent = kNoParent;  // WidgetId value of the containing frame
  TwipRect rect;
  int tab_index = 0;
  std::string caption;  // caption of a frame, label or button; text of a text box or combo box
  FontSpec font;
  Colour fore_colour = kButtonText;
  Colour back_colour = kButtonFace;
  Alignment alignment = Alignment::Left;
  bool enabled = true;
  std::string tool_tip;
  // Spin buttons only.
  Int32 min = 0;
  Int32 max = 0;
  Int32 increment = 1;
  Int32 value = 0;
  // Command buttons: the access key the caption's '&' marks, lower case, or 0 (access_key.h).
  // Follows from the caption: shared_table fills it, so the table of every surface has it.
  char access_key = 0;
  // Text and combo boxes: the control acts on Enter here (its key handler, or the choice of the
  // entry the text names), so Enter goes no further (a host's default button does not see it).
  bool handles_enter = false;
  friend bool operator==(const WidgetRow&, const WidgetRow&) = default;
};

struct WidgetTable {
  std::string caption;  // forms only: the title bar
  int width = 0;        // client area, twips
  int height = 0;
  std::vector<WidgetRow> widgets;
  friend bool operator==(const WidgetTable&, const WidgetTable&) = default;
};

// One shared, unchanging copy of a table for every surface made from it (or from an equal
// table): a surface keeps its table, and each instance of a control would otherwise hold a copy
// of all its rows and their strings. The copy has its command buttons' access keys filled in.
std::shared_ptr<const WidgetTable> shared_table(const WidgetTable& table);

}  // namespace dnovar
