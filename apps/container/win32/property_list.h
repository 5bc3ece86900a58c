// The property list: every readable property of the control with its value (a list view), and
// below it a field and a Set button that write the selected property. Values are shown and typed
// as in the other container (apps/container/property_text.h); a value that cannot be read shows
// as "<error N: message>" in place.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "apps/container/win32/control_properties.h"
#include "platform/error.h"

namespace dnovar::container {

class PropertyList {
 public:
  // The three windows are made as children of `parent` with the given command ids.
  PropertyList(HWND parent, int list_id, int value_id, int set_id);

  void place(int x, int y, int width, int height);
  // Lists the object's properties (none for null); failures go to `report`.
  void show_object(IDispatch* object, const std::function<void(const RuntimeError&)>& report);
  void refresh();
  // The selection moved: the field shows the selected value.
  void selection_changed();
  // Writes the field's text to the selected property; false when nothing was written.
  bool apply(const std::function<void(const RuntimeError&)>& report);

  HWND value_field() const { return value_; }
  HWND list() const { return list_; }

 private:
  int selected() const;
  void show_value(int row);

  HWND list_;
  HWND value_;
  HWND set_;
  IDispatch* object_ = nullptr;
  std::vector<PropertyInfo> properties_;
};

}  // namespace dnovar::container
